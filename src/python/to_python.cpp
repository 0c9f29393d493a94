#include "python/to_python.h"

#include <cmath>

namespace orlavex::python {

namespace py = pybind11;

namespace {

using Json = nlohmann::ordered_json;

// A new reference, or nullptr with the Python error set. The C API directly:
// a result holds a few hundred objects and this is most of a call's cost.
PyObject* convert(const Json& value) {
    using Type = Json::value_t;
    switch (value.type()) {
        case Type::null:
        case Type::discarded:
            Py_RETURN_NONE;
        case Type::boolean:
            return PyBool_FromLong(value.get<bool>());
        case Type::number_integer:
            return PyLong_FromLongLong(value.get<std::int64_t>());
        case Type::number_unsigned:
            return PyLong_FromUnsignedLongLong(value.get<std::uint64_t>());
        case Type::number_float: {
            // orlavex-cli's JSON writes a number that is not finite as null.
            const double x = value.get<double>();
            if (!std::isfinite(x)) Py_RETURN_NONE;
            return PyFloat_FromDouble(x);
        }
        case Type::string: {
            const std::string& s = value.get_ref<const std::string&>();
            return PyUnicode_FromStringAndSize(s.data(), static_cast<Py_ssize_t>(s.size()));
        }
        case Type::array: {
            PyObject* list = PyList_New(static_cast<Py_ssize_t>(value.size()));
            if (list == nullptr) return nullptr;
            Py_ssize_t i = 0;
            for (const Json& element : value) {
                PyObject* item = convert(element);
                if (item == nullptr) {
                    Py_DECREF(list);
                    return nullptr;
                }
                PyList_SET_ITEM(list, i++, item);  // steals the reference
            }
            return list;
        }
        case Type::object: {
            PyObject* dict = PyDict_New();
            if (dict == nullptr) return nullptr;
            for (const auto& [key, element] : value.items()) {
                PyObject* k =
                    PyUnicode_FromStringAndSize(key.data(), static_cast<Py_ssize_t>(key.size()));
                PyObject* v = k != nullptr ? convert(element) : nullptr;
                const bool stored = v != nullptr && PyDict_SetItem(dict, k, v) == 0;
                Py_XDECREF(k);
                Py_XDECREF(v);
                if (!stored) {
                    Py_DECREF(dict);
                    return nullptr;
                }
            }
            return dict;
        }
        case Type::binary:
            break;
    }
    PyErr_SetString(PyExc_TypeError, "to_python: a JSON value of binary type");
    return nullptr;
}

}  // namespace

py::object to_python(const Json& value) {
    PyObject* object = convert(value);
    if (object == nullptr) throw py::error_already_set();
    return py::reinterpret_steal<py::object>(object);
}

}  // namespace orlavex::python
