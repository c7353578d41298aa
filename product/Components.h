// The product's components, which kinds of installation unpack them, and the database
// aliases a fresh installation creates. Constant tables: pages walk them in this order.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace product {

enum ComponentTarget : uint8_t {
    TargetData = 0,       // 0 and 1 both mean the data folder
    TargetDataToo = 1,
    TargetProgram = 2,
    TargetEngine = 3,     // the database engine's own folder
};

#pragma pack(push, 1)
struct TCompRecord {
    std::string_view Name;         // archive stem: the component unpacks from Name + ".ZIP"
    std::string_view Description;  // shown while the component is unpacked
    uint8_t Target;
};
#pragma pack(pop)

inline constexpr std::array<TCompRecord, 7> ComponentTable = {{
    {"EXE", "Fisiere executabile", TargetProgram},
    {"VANTIR", "Vantir TORVEX", TargetProgram},
    {"DBDAT", "TORVEX: baza de date si exemple", TargetData},
    {"DBNEW", "TORVEX: baza de date martor", TargetDataToo},
    {"BDE32", "Borland Database Engine", TargetEngine},
    {"HELP", "Help WinTorvex", TargetProgram},
    {"MIRDAN", "Mirdan TORVEX", TargetProgram},
}};

// A set of component positions: bit n is position n.
using ComponentSet = uint16_t;

constexpr ComponentSet Components(std::initializer_list<int> positions) {
    ComponentSet set = 0;
    for (int position : positions) set = static_cast<ComponentSet>(set | (1u << position));
    return set;
}

constexpr bool Contains(ComponentSet set, int position) { return (set >> position) & 1u; }

// Indexed by InstallType (0 none, 1 LOCAL, 2 SERVER, 3 CLIENT).
inline constexpr std::array<ComponentSet, 4> ComponentSets = {
    Components({}),
    Components({0, 1, 2, 3, 4, 5, 6}),
    Components({0, 1, 2, 3, 4, 5, 6}),
    Components({0, 1, 4, 5, 6}),
};

inline constexpr std::array<ComponentSet, 4> UpgradeComponentSets = {
    Components({}),
    Components({0, 1, 2, 3, 5, 6}),
    Components({0, 1, 2, 3, 5, 6}),
    Components({0, 1, 5, 6}),
};

// Entry i of one list belongs to entry i of the other (numbered 1..4 in the product's
// documents; 0-based here).
inline constexpr std::array<std::string_view, 4> AliasNames = {"TORVEXALIAS", "FIRMAALIAS", "LUNAALIAS",
                                                              "TORVEX"};
inline constexpr std::array<std::string_view, 4> AliasFolders = {"NEW\\DATA", "NEW\\FIRMA", "NEW\\LUNA",
                                                                "DATA"};

// The folder of an alias: the data folder and the alias folder with exactly one backslash.
std::string AliasPath(std::string_view dataDir, std::string_view aliasFolder);

}  // namespace product
