#include "tolvik/core/dc_bias_display.h"

#include "tolvik/ui_common/numtext.h"

namespace tolvik::core {

DcBiasTitles YAxisTitles(DcBiasYAxis y) {
    switch (y) {
    case DcBiasYAxis::LRev:
        return {"reversible Inductance", "Lrev[mH]"};
    case DcBiasYAxis::Energy:
        return {"magnetic energy", "LI²/2[mJ]"};
    case DcBiasYAxis::RollOff:
        return {"permeability roll-off", "µrev/µe[%]"};
    case DcBiasYAxis::MuRev:
        break;
    }
    return {"reversible permeability", "µrev"};
}

const char* XAxisTitle(DcBiasXAxis x) {
    return x == DcBiasXAxis::Hdc ? "Hdc[A/m]" : "Idc[A]";
}

std::string DcBiasLegend(const std::string& material, double al_nH) {
    // The Al value as read: the typed text itself may be anything.
    std::string alText = text::FormatPattern(al_nH, "#.###");
    if (!alText.empty() && alText.back() == text::DecimalSeparator()) alText.pop_back();
    return "µrev " + material + " Al=" + (alText.empty() ? std::string("0") : alText) + "[nH]";
}

DcBiasReading DcBiasReaderTexts(double x, const std::string& readerYText, DcBiasXAxis xAxis,
                                DcBiasYAxis yAxis) {
    DcBiasReading r;
    if (xAxis == DcBiasXAxis::Hdc)
        r.x = "Hdc=" + text::FormatPattern(x, "#") + "[A/m]";
    else
        r.x = "Idc=" + text::FormatSignificant(x, 3, 999) + "[A]";
    switch (yAxis) {
    case DcBiasYAxis::MuRev:
        r.y = "µrev=" + readerYText;
        break;
    case DcBiasYAxis::LRev:
        r.y = "Lrev=" + readerYText + "[mH]";
        break;
    case DcBiasYAxis::Energy:
        r.y = "LI²/2=" + readerYText + "[mJ]";
        break;
    case DcBiasYAxis::RollOff:
        r.y = "µrev/µe=" + readerYText + "[%]";
        break;
    }
    return r;
}

} // namespace tolvik::core
