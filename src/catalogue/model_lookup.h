// Finding a model by its name in either catalogue.
#pragma once

#include <span>
#include <string_view>

namespace orlavex::catalogue {

// The model called exactly NAME among the models of GROUPS (analyzer
// families or noise source makers), or nullptr.
template <class Group>
auto find_model(std::span<const Group> groups, std::string_view name) {
    using Model = typename decltype(Group::models)::element_type;
    for (const Group& group : groups) {
        for (Model& model : group.models) {
            if (model.name == name) return &model;
        }
    }
    return static_cast<Model*>(nullptr);
}

}  // namespace orlavex::catalogue
