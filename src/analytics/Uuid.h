#pragma once

#include <array>
#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// A 128-bit identifier. `random()` makes a version-4 UUID (RFC 4122).
struct Uuid {
    std::array<std::uint8_t, 16> bytes{};

    static Uuid random();
    // Accepts the 36-character 8-4-4-4-12 form, either case; nothing otherwise.
    static std::optional<Uuid> fromString(std::string_view text);
    // Upper-case 8-4-4-4-12 form.
    std::string toString() const;

    friend auto operator<=>(const Uuid&, const Uuid&) = default;
};
