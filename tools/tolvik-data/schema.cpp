#include "tolvik/datatool/schema.h"

#include "tolvik/data/database.h"

namespace tolvik::datatool {

namespace {
constexpr FieldType T = FieldType::Text;
constexpr FieldType N = FieldType::Number;
constexpr FieldType F = FieldType::Flag;
} // namespace

const std::vector<TableDef>& ProgramTables() {
    static const std::vector<TableDef> tables = {
        {"Material",
         TableKind::Record,
         {{"Name", T}, {"mui", N},      {"Bs25", N},     {"Bs100", N}, {"Hc25", N},   {"Hc100", N},
          {"Tc", N},   {"hb", N},       {"fmin", N},     {"ftyp", N},  {"fmax", N},   {"dT", N},
          {"f", N},    {"B", N},        {"T", N},        {"Pv", N},    {"Dichte", N}, {"tandmuei", N},
          {"af", N},   {"dcresist", N}, {"Leistung", F}, {"mua", F},   {"Aktuell", F}},
         "One row per material. Name: the name shown in the lists (any text, also with blanks or an "
         "apostrophe); mui: initial permeability µi; Bs25, Bs100: saturation flux density at 25 and 100 °C "
         "[mT]; Hc25, Hc100: coercive field strength [A/m]; Tc: Curie temperature [°C]; hb: hysteresis "
         "constant [10⁻⁶/mT]; fmin, ftyp, fmax: frequency range [kHz]; dT: allowed temperature rise [K]; f, "
         "B, T, Pv: reference loss Pv [kW/m³] at f [kHz], B [mT], T [°C]; Dichte: density [kg/m³]; "
         "tandmuei: tan δ/µi at fmax [10⁻⁶]; af: temperature factor [10⁻⁶/K]; dcresist: DC "
         "resistivity [Ω·m]. Flags (-1 yes, 0 no): Leistung: power material with loss data in PvT and "
         "PVEXPO; mua: has amplitude permeability curves in MuaB and MuaH; Aktuell: listed in the general "
         "material lists."},
        {"Kernform",
         TableKind::Record,
         {{"Kerntyp", T},
          {"LP", F},
          {"Loch", F},
          {"Anzeige", F},
          {"RthAnzeige", F},
          {"Ae", N},
          {"le", N},
          {"Ve", N},
          {"Amin", N},
          {"AN", N},
          {"LN", N},
          {"Rth", N},
          {"Ar", N},
          {"K1", N},
          {"K2", N},
          {"CDF", N},
          {"hWickel", N}},
         "One row per core shape variant; a core is Kerntyp with LP (low profile) and Loch (with centre "
         "hole), flags -1 or 0. Anzeige: -1 lists the row in the core lists (one row per core type); "
         "RthAnzeige: -1 lists it in the transmissible power tab (needs Rth). Ae: effective cross-section "
         "[mm²]; le: effective path length [mm]; Ve: effective volume [mm³] (= Ae * le); Amin: minimum "
         "cross-section [mm²]; AN: winding cross-section [mm²]; LN: mean length of turn [mm]; Rth: thermal "
         "resistance [°C/W]; Ar: resistance factor [µΩ per turn²]; K1, K2: Al = K1 * s^K2 [nH, s in mm], "
         "0 for none; CDF: core distortion factor, 0 for none; hWickel: winding height of the bobbin [mm]."},
        {"MuiT",
         TableKind::Curve,
         {{"T", N}},
         "Initial permeability against temperature. T [°C], ascending; one column per material, named "
         "as the material. A curve ends at its first 0 (the end mark, at or above the Curie temperature); "
         "an empty cell counts as 0."},
        {"MuaB",
         TableKind::Curve,
         {{"B", N}},
         "Amplitude permeability against flux density B [mT], ascending; columns <material>T25 and "
         "<material>T100 (at 25 and 100 °C) for every material with mua = -1. A curve ends at its first "
         "0 or at the end of the table."},
        {"MuaH",
         TableKind::Curve,
         {{"H", N}},
         "Amplitude permeability against field strength H [A/m], ascending; columns as in MuaB."},
        {"Mu_mu__f",
         TableKind::Curve,
         {{"f", N}},
         "Complex permeability against frequency f [kHz], ascending; columns mu_<material> (real part) and "
         "mu__<material> (imaginary part)."},
        {"Hysterese",
         TableKind::Curve,
         {},
         "Hysteresis loops: column pairs H<material>T25 [A/m] with B<material>T25 [mT], and the same with "
         "T100; one loop point per row, the loop closed (last point = first point) and ended by a row with "
         "H = 0 and B = 0. No other 0 inside a loop."},
        {"hbT",
         TableKind::Curve,
         {{"T", N}},
         "Hysteresis constant against temperature T [°C], ascending; one column per material, ended by "
         "0 as in MuiT."},
        {"PvT",
         TableKind::Curve,
         {{"T", N}, {"F", N}, {"B", N}},
         "Relative core loss Pv [kW/m³] at temperature T [°C], frequency F [kHz] and flux density B [mT]; "
         "one column per power material; a row applies to a material where its value is above 0."},
        {"PVEXPO",
         TableKind::Curve,
         {{"F", N}, {"T", N}},
         "Loss law per frequency F [kHz] and temperature T [°C]: Pv = e^C * B^X (Pv in kW/m³, B in mT); "
         "columns <material>X and <material>C for every power material. It must reproduce the values of "
         "PvT."},
        {"Draht",
         TableKind::Record,
         {{"Groesse", N}, {"AWG", N}, {"N_pro_mm2", N}, {"fCu", N}},
         "Wire sizes: Groesse: bare copper diameter [mm], ascending; AWG: gauge number; N_pro_mm2: turns per "
         "mm² of winding cross-section; fCu: copper share of the wire's cross-section (0..1)."},
    };
    return tables;
}

const TableDef* FindTable(std::string_view name) {
    for (const TableDef& t : ProgramTables())
        if (data::EqualsIgnoringCase(t.name, name)) return &t;
    return nullptr;
}

const FieldDef* FindField(const TableDef& table, std::string_view name) {
    for (const FieldDef& f : table.fields)
        if (data::EqualsIgnoringCase(f.name, name)) return &f;
    return nullptr;
}

} // namespace tolvik::datatool
