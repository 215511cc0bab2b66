#pragma once

#include <cstddef>
#include <string_view>
#include <tuple>
#include <utility>

// Each entity describes its attributes once, as a table in attribute order:
//     static constexpr std::tuple attributes{describe("balance", &Values::balance), ...};
// The store's SQL, the field dispatch, the store's fast reads and the JSON keys all follow
// from that table.

// Whether the store refuses NULL for an attribute. (An absent optional is stored as NULL, and so
// is a NaN double.)
enum class Presence { Nullable, Required };

// One attribute: its name (the store's column and the JSON key) and its field in Values.
template <class Values, class T>
struct AttributeDescription {
    using Type = T;
    std::string_view name;
    T Values::*field;
    Presence presence;
};

template <class Values, class T>
constexpr AttributeDescription<Values, T> describe(std::string_view name, T Values::*field, Presence presence = Presence::Nullable)
{
    return {name, field, presence};
}

// Calls visit(index, description) for every attribute of Entity, in order; index is a
// std::integral_constant, usable where a constant is needed.
template <class Entity, class Visitor>
constexpr void forEachAttribute(Visitor&& visit)
{
    [&]<std::size_t... I>(std::index_sequence<I...>) {
        (visit(std::integral_constant<int, int(I)>{}, std::get<I>(Entity::attributes)), ...);
    }(std::make_index_sequence<std::tuple_size_v<decltype(Entity::attributes)>>{});
}

// Calls visit(&Values::field) for attribute number `attribute`.
template <class Entity, class Visitor>
constexpr void withField(int attribute, Visitor&& visit)
{
    forEachAttribute<Entity>([&](auto index, const auto& description) {
        if (index == attribute)
            visit(description.field);
    });
}

// The field of attribute number A.
template <class Entity, int A>
constexpr auto fieldOf = std::get<A>(Entity::attributes).field;

// Whether the table and the Attribute enum agree in length.
template <class Entity>
constexpr bool describesEveryAttribute = std::tuple_size_v<decltype(Entity::attributes)> == Entity::attributeCount;
