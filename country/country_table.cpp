#include "country/country_table.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace t2c {

CountryEntry parse_entry_line(const char* line) {
    const char* tab = std::strchr(line, '\t');
    if (tab == nullptr) return {};
    // The line is a C string: a zero byte ends it, wherever it stands.
    // copy_field of at most COUNTRY_NAME_WIDTH characters and cut_at('\n'), measured in place.
    const char* name = tab + 1;
    std::size_t length = 0;
    while (length < COUNTRY_NAME_WIDTH && name[length] != '\0' && name[length] != '\n') ++length;
    return {std::string(line, tab), std::string(name, length)};
}

namespace {

// A hash of the name's bytes eight at a time. The last, partial word is read as bytes
// overlapping the word before it (or, for a short name, as two overlapping halves), so that
// nothing beyond the name is read and no loop runs byte by byte.
//
// Every step is one multiply, which carries each bit of the word into all the bits above it:
// the high bits, from which slot_of takes the slot, depend on every byte of the name. It is
// hashed once for every record of a log, so the steps are kept this short.
std::uint64_t hash_name(std::string_view name) {
    constexpr std::uint64_t MULTIPLIER = 0x9E3779B97F4A7C15;
    const auto mix = [](std::uint64_t hash, std::uint64_t word) { return (hash ^ word) * MULTIPLIER; };
    const auto load = [](const char* p, std::size_t size) {
        std::uint64_t word = 0;
        std::memcpy(&word, p, size);
        return word;
    };
    const char* p = name.data();
    const std::size_t length = name.size();
    std::uint64_t hash = length;
    std::size_t at = 0;
    for (; at + 8 <= length; at += 8) hash = mix(hash, load(p + at, 8));
    if (at < length) {
        if (length >= 8) {
            hash = mix(hash, load(p + length - 8, 8));
        } else if (length >= 4) {
            hash = mix(hash, load(p, 4) << 32 | load(p + length - 4, 4));
        } else {
            hash = mix(hash, load(p, 1) << 16 | load(p + length / 2, 1) << 8 | load(p + length - 1, 1));
        }
    }
    return hash | 1;  // never 0, which marks an empty slot
}

// The slot of the table's slots that holds name, or the empty one where it would go.
std::size_t slot_of(const CountryTable& table, std::string_view name, std::uint64_t hash) {
    const std::size_t mask = table.slots.size() - 1;
    // The high bits of the hash are its best mixed.
    std::size_t at = static_cast<std::size_t>(hash >> 32) & mask;
    for (;; at = (at + 1) & mask) {
        const CountryTable::Slot& slot = table.slots[at];
        if (slot.hash == 0) return at;
        // An empty name may come with no storage at all, which memcmp must not be handed.
        if (slot.hash == hash && slot.name_length == name.size() &&
            (name.empty() || std::memcmp(table.arena.data() + slot.name_at, name.data(), name.size()) == 0)) {
            return at;
        }
    }
}

// Room for names entries without growing past three quarters.
void reserve(CountryTable& table, std::size_t names) {
    std::size_t capacity = 8;
    while (capacity / 4 * 3 < names) capacity *= 2;
    if (capacity <= table.slots.size()) return;
    std::vector<CountryTable::Slot> old_slots(capacity, CountryTable::Slot{});
    old_slots.swap(table.slots);
    for (const CountryTable::Slot& slot : old_slots) {
        if (slot.hash == 0) continue;
        const std::string_view name(table.arena.data() + slot.name_at, slot.name_length);
        table.slots[slot_of(table, name, slot.hash)] = slot;
    }
}

std::size_t keep(CountryTable& table, std::string_view text) {
    const std::size_t at = table.arena.size();
    table.arena.insert(table.arena.end(), text.begin(), text.end());
    return at;
}

std::string_view text_at(const CountryTable& table, std::size_t at, std::size_t length) {
    return {table.arena.data() + at, length};
}

}  // namespace

CountryTable load_country_table(TextLines& lines, std::uintmax_t size_hint) {
    // An entry line takes some twenty bytes (prefix, TAB, name, line end); a guess too high or
    // too low costs little. The reservation stays bounded: a huge file may be mostly comments.
    constexpr std::uintmax_t BYTES_PER_LINE = 20;
    constexpr std::uintmax_t MOST_RESERVED = std::uintmax_t{1} << 20;
    CountryTable table;
    reserve(table, static_cast<std::size_t>(std::min(size_hint / BYTES_PER_LINE, MOST_RESERVED)));
    table.arena.reserve(static_cast<std::size_t>(std::min(size_hint, MOST_RESERVED * BYTES_PER_LINE)));
    std::array<char, LINE_BUFFER_SIZE> line{};
    while (lines.read_line(line)) {
        if (line[0] != '#' && line[0] != '\n') {
            const CountryEntry entry = parse_entry_line(line.data());
            add_country(table, entry.name, entry.prefix);
            ++table.entry_lines;
        }
    }
    return table;
}

void add_country(CountryTable& table, std::string_view name, std::string_view prefix) {
    reserve(table, table.names + 1);
    const std::uint64_t hash = hash_name(name);
    CountryTable::Slot& slot = table.slots[slot_of(table, name, hash)];
    if (slot.hash == 0) {
        slot = {hash, keep(table, name), name.size(), 0, 0};
        ++table.names;
    }
    // A repeated name keeps its place and takes the new prefix; the old one stays unused in
    // the arena, which holds no more than the file's bytes.
    slot.prefix_at = keep(table, prefix);
    slot.prefix_length = prefix.size();
}

std::vector<CountryEntry> country_entries(const CountryTable& table) {
    std::vector<CountryEntry> entries;
    for (const CountryTable::Slot& slot : table.slots) {
        if (slot.hash == 0) continue;
        entries.push_back({std::string(text_at(table, slot.prefix_at, slot.prefix_length)),
                           std::string(text_at(table, slot.name_at, slot.name_length))});
    }
    return entries;
}

std::optional<std::string_view> find_country(const CountryTable& table, std::string_view name) {
    if (table.names == 0) return std::nullopt;
    const CountryTable::Slot& slot = table.slots[slot_of(table, name, hash_name(name))];
    if (slot.hash == 0) return std::nullopt;
    return text_at(table, slot.prefix_at, slot.prefix_length);
}

}  // namespace t2c
