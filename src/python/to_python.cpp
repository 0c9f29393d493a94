#include "python/to_python.h"

namespace orlavex::python {

namespace py = pybind11;

py::object to_python(const nlohmann::ordered_json& value) {
    using Type = nlohmann::ordered_json::value_t;
    switch (value.type()) {
        case Type::null:
        case Type::discarded:
            return py::none();
        case Type::boolean:
            return py::bool_(value.get<bool>());
        case Type::number_integer:
            return py::int_(value.get<std::int64_t>());
        case Type::number_unsigned:
            return py::int_(value.get<std::uint64_t>());
        case Type::number_float:
            return py::float_(value.get<double>());
        case Type::string:
            return py::str(value.get_ref<const std::string&>());
        case Type::array: {
            py::list list(value.size());
            std::size_t i = 0;
            for (const auto& element : value)
                list[i++] = to_python(element);
            return list;
        }
        case Type::object: {
            py::dict dict;
            for (const auto& [key, element] : value.items())
                dict[py::str(key)] = to_python(element);
            return dict;
        }
        case Type::binary:
            break;
    }
    throw std::invalid_argument("to_python: a JSON value of binary type");
}

}  // namespace orlavex::python
