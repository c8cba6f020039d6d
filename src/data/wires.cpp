#include "tolvik/data/wires.h"

namespace tolvik::data {

std::vector<WireRecord> ReadWires(Database& db) {
    std::vector<WireRecord> wires;
    auto rs = db.openTable("Draht");
    for (rs->moveFirst(); !rs->eof(); rs->moveNext()) {
        const Value d = rs->field("Groesse");
        wires.push_back({d.toDouble(), d.toText(), rs->field("AWG").toText(),
                         rs->field("N_pro_mm2").toDouble(), rs->field("fCu").toDouble()});
    }
    rs->close();
    return wires;
}

} // namespace tolvik::data
