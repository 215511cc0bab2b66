#pragma once

#include <array>
#include <cstddef>
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
    static constexpr std::size_t textLength = 36;
    // The same text into `out`, which has room for textLength characters (no terminator).
    void writeText(char* out) const;

    // (No <=> here: Qt 6.4's moc cannot read <compare> when it is the first standard header a
    // Q_OBJECT header reaches.)
    friend bool operator==(const Uuid&, const Uuid&) = default;
    friend bool operator<(const Uuid& a, const Uuid& b) { return a.bytes < b.bytes; }
};
