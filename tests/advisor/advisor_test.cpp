// The design advisor against the core window's own calculations on the sample data file
// (any sample: the tab's computation is run beside the advisor's), two parts checked by
// hand on the fixture file, and every reason a part is rejected for.

#include "tolvik/advisor/advisor.h"

#include "../core/core_fixture_db.h"
#include "tolvik/core/dc_bias_display.h"
#include "tolvik/core/wire_display.h"
#include "tolvik/data/records.h"
#include "tolvik/numerics/numerics.h"
#include "tolvik/ui_common/numtext.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace tolvik::advisor {
namespace {

std::unique_ptr<data::Database> Sample() {
    return data::Database::open(TOLVIK_SAMPLE_DB);
}

const Design* Find(const std::vector<Design>& designs, const Catalogue& cat, const std::string& core,
                   const std::string& material) {
    for (const Design& d : designs) {
        if (cat.cores[d.core].name() == core && cat.materials[d.material].name == material) return &d;
    }
    return nullptr;
}

/// What the DC-bias tab shows for the core variant and material (as its curve routine reads
/// them from the data file): its outcome, none when nothing is designed.
std::optional<core::DcBiasOutcome> TabDcBias(data::Database& db, const CoreVariant& c,
                                             const std::string& material, const ChokeRequest& req) {
    core::DcBiasRequest in;
    in.l_mH = req.l_mH;
    in.idc_A = req.idc_A;
    in.dmurev_pct = req.drop_pct;
    in.draw = false;
    const bool t25 = req.temp_C == 25;
    in.bs_mT =
        data::GetMaterialValue(
            db, static_cast<int>(t25 ? data::MaterialField::Bs25 : data::MaterialField::Bs100), material)
            .toDouble();
    const data::CoreSelection sel{c.kerntyp, c.lowProfile, c.hole};
    auto value = [&](data::CoreField f) {
        return data::GetCoreValue(db, sel, static_cast<int>(f)).toDouble();
    };
    in.ae_mm2 = value(data::CoreField::Ae);
    in.le_mm = value(data::CoreField::le);
    in.ve_mm3 = value(data::CoreField::Ve);
    in.an_mm2 = value(data::CoreField::AN);
    in.wires = data::ReadWires(db);
    in.muaB = data::ReadTableColumns(db, "MuaB", "B", data::TemperatureColumn(material, t25));
    const core::DcBiasOutcome o = core::DesignDcBias(in);
    return o.designed ? std::optional(o) : std::nullopt;
}

// Every sample core variant × eligible material: the advisor's design is the DC-bias tab's
// (operating point found by the search equal to the tab's scan), and its transmissible
// power the P trans tab's.
TEST(Advisor, DesignsEqualTheTabsOnEverySamplePair) {
    auto db = Sample();
    const Catalogue cat = LoadCatalogue(*db);
    ASSERT_FALSE(cat.cores.empty());
    const ChokeRequest chokes[] = {{1, 2, 10, 25, 0.4, 100}, {0.1, 8, 20, 100}, {10, 0.3, 5, 25}};
    for (const ChokeRequest& req : chokes) {
        int compared = 0;
        for (const Design& d : AdviseChoke(cat, req)) {
            const CoreVariant& c = cat.cores[d.core];
            const MaterialData& m = cat.materials[d.material];
            const std::string what = c.name() + " " + m.name + " L " + Fixed(req.l_mH, 1);
            const std::optional<core::DcBiasOutcome> tab = TabDcBias(*db, c, m.name, req);
            if (!tab) {
                EXPECT_FALSE(d.feasible) << what;
                continue;
            }
            ++compared;
            const auto shown = [](double v, const char* pattern) { return text::FormatPattern(v, pattern); };
            EXPECT_EQ(shown(d.mue, "#"), shown(tab->design.mue, core::kMuePattern)) << what;
            EXPECT_EQ(shown(d.s_mm, "#.##"), shown(tab->design.s_mm, core::kGapPattern)) << what;
            EXPECT_EQ(shown(d.al_nH, "#"), shown(tab->design.al_nH, core::kAlPattern)) << what;
            EXPECT_EQ(shown(d.turnsExact, "#"), shown(tab->design.turns, core::kTurnsPattern)) << what;
            const auto wire = d.designWire >= 0
                                  ? std::optional(core::WireText(cat.wires[std::size_t(d.designWire)]))
                                  : std::nullopt;
            EXPECT_EQ(wire, tab->wire ? std::optional(core::WireText(*tab->wire)) : std::nullopt) << what;
            const double mua0 =
                num::InterpolateRows(cat.muaB_mT, req.temp_C == 25 ? *m.mua25 : *m.mua100, 0.0);
            const core::OperatingPointInput op{
                req.temp_C == 25 ? m.bs25_mT : m.bs100_mT, mua0, req.l_mH, c.ve_mm3, req.idc_A, req.drop_pct};
            EXPECT_EQ(d.x, core::OperatingPoint(op)) << what;
            // As a run of many cores finds it, with what it learns of the material first.
            const core::OperatingPointMaterial prepared =
                core::PrepareOperatingPoint(op.bs_mT, op.mua0, op.dmurev_pct);
            EXPECT_EQ(core::OperatingPointSearch(op, &prepared), d.x) << what;
        }
        EXPECT_GT(compared, 0);
    }

    const TransformerRequest transformers[] = {{100, 100, core::ConverterType::PushPull, 40, 1},
                                               {30, 25, core::ConverterType::Flyback, 30, 2}};
    for (const TransformerRequest& req : transformers) {
        for (const Design& d : AdviseTransformer(cat, req)) {
            const CoreVariant& c = cat.cores[d.core];
            const MaterialData& m = cat.materials[d.material];
            // The tab: its fields filled from the data file, the user's dTmax halved, its defaults.
            const auto g = data::CoreRecordFields(*db, {c.kerntyp, c.lowProfile, c.hole},
                                                  {"Ae", "Ve", "An", "Ln", "Rth"});
            const auto mat = data::MaterialRecordFields(*db, m.name, {"Pv", "f", "B"});
            ASSERT_TRUE(g && mat);
            const auto shown = [](const Value& v, const char* p) {
                return text::RoundedAsShown(v.toDouble(), p);
            };
            core::PTransInput in;
            in.dTFe_K = in.dTCu_K = req.dTmax_K / 2;
            in.rth_KW = shown((*g)[4], "#.##");
            in.pl = shown((*mat)[0], "#.##");
            in.f_kHz = shown((*mat)[1], "#");
            in.x = 2.7;
            in.y = 1.3;
            in.b_mT = shown((*mat)[2], "#");
            in.fw_kHz = req.f_kHz;
            in.ae_mm2 = shown((*g)[0], "#.##");
            in.ve_mm3 = shown((*g)[1], "#.##");
            in.fCu = 0.4;
            in.r = 0.8;
            in.an_mm2 = shown((*g)[2], "#.##");
            in.ln_mm = shown((*g)[3], "#.##");
            in.fr = req.fr;
            in.converter = req.converter;
            in.bs25_mT =
                data::GetMaterialValue(*db, static_cast<int>(data::MaterialField::Bs25), m.name).toDouble();
            const core::PTransResult tab = core::CalculateTransmissiblePower(in);
            const std::string what = c.name() + " " + m.name;
            if (tab.status != core::PTransStatus::Ok) {
                EXPECT_FALSE(d.feasible) << what;
                EXPECT_TRUE(std::isnan(d.ptrans_W)) << what;
                continue;
            }
            EXPECT_EQ(d.ptrans_W, tab.p_W) << what;
            EXPECT_EQ(d.feasible, tab.p_W >= req.p_W) << what;
        }
    }
}

// The search lands on the scan's grid point for inputs far outside any sample, also with
// what it learns of the material first.
TEST(Advisor, OperatingPointSearchEqualsTheScanOnRandomInputs) {
    std::mt19937 rng(19);
    auto logUniform = [&rng](double lo, double hi) {
        return std::exp(std::uniform_real_distribution<double>(std::log(lo), std::log(hi))(rng));
    };
    for (int k = 0; k < 3000; ++k) {
        const core::OperatingPointInput in{logUniform(100, 700),
                                           logUniform(100, 20000),
                                           logUniform(1e-4, 1e3),
                                           logUniform(10, 1e6),
                                           k % 50 == 0 ? 0.0 : logUniform(1e-3, 1e3),
                                           logUniform(0.1, 99)};
        const std::optional<double> scan = core::OperatingPoint(in);
        const core::OperatingPointMaterial prepared =
            core::PrepareOperatingPoint(in.bs_mT, in.mua0, in.dmurev_pct);
        EXPECT_EQ(core::OperatingPointSearch(in), scan)
            << in.bs_mT << " " << in.mua0 << " " << in.l_mH << " " << in.ve_mm3 << " " << in.idc_A << " "
            << in.dmurev_pct;
        EXPECT_EQ(core::OperatingPointSearch(in, &prepared), scan)
            << in.bs_mT << " " << in.mua0 << " " << in.l_mH << " " << in.ve_mm3 << " " << in.idc_A << " "
            << in.dmurev_pct << " prepared";
    }
}

/// The fixture file with amplitude permeability and a loss law for M1 (at 25 °C; at
/// 100 °C without loss data), M3 flagged for amplitude data without a column, and M2 a
/// power material without a loss figure.
const char* const kAdvisorData = R"SQL(
CREATE TABLE MuaB (B INTEGER, M1T25 REAL, M1T100 REAL);
INSERT INTO MuaB VALUES (0, 2000, 2000);
INSERT INTO MuaB VALUES (600, 2000, 2000);
CREATE TABLE PVEXPO (F INTEGER, T INTEGER, M1X REAL, M1C REAL);
INSERT INTO PVEXPO VALUES (100, 25, 2.5, -7);
INSERT INTO PVEXPO VALUES (200, 25, 2.5, -6);
UPDATE Material SET mua = -1 WHERE Name = 'M3';
UPDATE Material SET Bs100 = 400 WHERE Name = 'M1';
UPDATE Material SET Leistung = -1 WHERE Name = 'M2';
)SQL";

class AdvisorFixture : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = std::make_unique<core::test::FixtureFolder>(kAdvisorData);
        auto db = data::Database::open(folder_->databasePath());
        cat_ = LoadCatalogue(*db);
    }
    std::unique_ptr<core::test::FixtureFolder> folder_;
    Catalogue cat_;
};

// Two parts by hand: a 1 mH / 1 A choke with 0.4 A ripple at 100 kHz in two layers on
// E 20 × M1, and a 100 W push-pull transformer at 100 kHz on the same pair.
TEST_F(AdvisorFixture, LossesByHand) {
    ChokeRequest req;
    req.l_mH = 1;
    req.idc_A = 1;
    req.ripple_A = 0.4;
    req.f_kHz = 100;
    req.layers = 2;
    const std::vector<Design> chokes = AdviseChoke(cat_, req);
    const Design* d = Find(chokes, cat_, "E 20", "M1");
    ASSERT_TRUE(d && d->wire >= 0);
    // µa = µi = 2000 everywhere: N = 81 turns, Al 151 nH; 81/18 = 4.5 mm² < AN 30.125 takes
    // the 0.2 mm wire, whose outer 0.2/√0.85 = 0.217 mm is below the pitch 10·2/81 = 0.247 mm.
    EXPECT_EQ(d->turns, 81);
    EXPECT_EQ(cat_.wires[static_cast<std::size_t>(d->wire)].d_mm, 0.2);
    // Rdc = ρ·N·LN/A = 1.77935e-8 Ω·m · 81 · 0.040 m / (3.14·0.2²/4 mm²) = 1.83604 Ω.
    const double rdc = 1.77935e-8 * 81 * 0.040 / (3.14 * 0.04 / 4 * 1e-6);
    EXPECT_NEAR(d->rdc_Ohm, rdc, 1e-9 * rdc);
    // Dowell at δ = √(ρ/(π·f·µ0)) = 0.21241 mm, Δ = 0.2/δ, two layers.
    const double delta = 0.2 / (1000 * std::sqrt(1.77935e-8 / (100e3 * 3.94384e-6)));
    const double f =
        delta * (std::sinh(2 * delta) + std::sin(2 * delta)) / (std::cosh(2 * delta) - std::cos(2 * delta));
    const double g = 2 * delta * (std::sinh(delta) - std::sin(delta)) / (std::cosh(delta) + std::cos(delta));
    const double fr = f + (4 - 1) * g / 3;
    // Idc² through Rdc, the ripple's rms² 0.4²/12 through Rac.
    EXPECT_NEAR(d->pcu_W, rdc * (1 + fr * 0.16 / 12), 1e-9);
    // B̂ = L·ΔI/(2·N·Ae) = 1e-3·0.4/(2·81·40.25e-6) T = 61.345 mT; Pv = e^-7·B̂^2.5 [kW/m³].
    const double b = 1e-3 * 0.4 / (2 * 81 * 40.25e-6) * 1000;
    EXPECT_NEAR(b, 61.345, 1e-3);
    const double pcore = std::exp(-7.0) * std::pow(b, 2.5) * 2000.4e-6;
    EXPECT_NEAR(d->pcore_W, pcore, 1e-12);
    EXPECT_NEAR(d->dT_K, (d->pcu_W + pcore) * 30, 1e-9);
    EXPECT_NEAR(d->j_A_mm2, std::sqrt(1 + 0.16 / 12) / (3.14 * 0.01), 1e-9);
    EXPECT_NEAR(d->mass_g, 2000.4e-9 * 4800 * 1000, 1e-9);

    TransformerRequest t;
    const std::vector<Design> transformers = AdviseTransformer(cat_, t);
    const Design* p = Find(transformers, cat_, "E 20", "M1");
    ASSERT_TRUE(p);
    // The ferrite takes dTFe = 20 K through Rth·r = 30·0.8: its loss is 20/24 W, and the loss
    // law at the flux sweep gives the same: Pl·(dB/2/B)^2.7·(fw/f)^1.3·Ve/10⁶.
    EXPECT_NEAR(p->pcore_W, 398 * std::pow(p->dB_mT / 2 / 200, 2.7) * 2000.4e-6, 1e-9);
    EXPECT_NEAR(p->pcore_W, 20.0 / 24.0, 1e-9);
    // Copper at full power 20 K / 30 K/W, scaled by (100 W / Ptrans)².
    // J = √(20·10/(0.4·2.1e-8·30.13·40·30))/100, P = dB·fw·Ae·AN·fCu·J/10⁶.
    const double j = std::sqrt(20.0 * 10 / (0.4 * 2.1e-8 * 30.13 * 40 * 30)) / 100;
    const double ptrans = p->dB_mT * 100 * 40.25 * 30.13 * 0.4 * j / 1e6;
    EXPECT_NEAR(p->ptrans_W, ptrans, 1e-9 * ptrans);
    EXPECT_NEAR(p->pcu_W, 20.0 / 30 * (100 / ptrans) * (100 / ptrans), 1e-12);
    EXPECT_TRUE(p->feasible);
}

// Every reason a part is rejected for, each reached by one case.
TEST_F(AdvisorFixture, EveryRejectionReason) {
    const std::tuple<const char*, const char*, ChokeRequest, std::optional<TransformerRequest>, const char*>
        cases[] = {
            {"E 20", "M1", {1, 1000}, {}, "air gap would be negative"},
            {"E 20", "M1", {2000, 0.01}, {}, "no wire fits 2196 turns in the winding area"},
            {"P 14 hole", "M1", {1, 0.5, 10, 25, 0, 0, 40, 5, 1}, {}, "no wire fits 68 turns in 1 layer"},
            {"E 20", "M1", {1, 1, 10, 25, 0.4, 100, 40, 50, 2}, {}, "too hot: ΔT 58 K > 40 K"},
            {"E 20", "M1", {1, 1, 10, 25, 0, 0, 1000, 5, 2}, {}, "current density 31.8 A/mm² > 5"},
            {"E 20", "M1", {1, 1, 10, 100, 0.4, 100, 40, 50, 4}, {}, "no loss data at 100 °C"},
            {"E 20", "M1", {1, 1, 10, 25, 0.4, 700, 40, 50, 4}, {}, "no loss data at 25 °C and 700 kHz"},
            {"E 20", "M3", {1, 1}, {}, "no amplitude permeability data at 25 °C"},
            {"R 10", "M1", {1, 0.2, 10, 25, 0, 0, 40, 50, 40}, {}, "no Rth for this core"},
            {"E 20", "M1", {}, TransformerRequest{1000, 100}, "carries 160 W < 1000 W"},
            {"R 10", "M1", {}, TransformerRequest{}, "no Rth for this core"},
            {"E 20", "M2", {}, TransformerRequest{}, "no loss figure for this material"},
        };
    for (const auto& [core, material, choke, transformer, reason] : cases) {
        const std::vector<Design> designs =
            transformer ? AdviseTransformer(cat_, *transformer) : AdviseChoke(cat_, choke);
        const Design* d = Find(designs, cat_, core, material);
        ASSERT_TRUE(d) << reason;
        EXPECT_FALSE(d->feasible) << reason;
        EXPECT_EQ(d->reason.text(), reason);
    }
    // A data file without the table of amplitude permeability: no choke, and no fault.
    const core::test::FixtureFolder noMua(std::string(kAdvisorData) + "DROP TABLE MuaB;");
    const Catalogue cat = LoadCatalogue(*data::Database::open(noMua.databasePath()));
    const std::vector<Design> designs = AdviseChoke(cat, {1, 1});
    const Design* d = Find(designs, cat, "E 20", "M1");
    ASSERT_TRUE(d);
    EXPECT_EQ(d->reason.text(), "no amplitude permeability data at 25 °C");
}

// Ranking: feasible first by the key, the Pareto front of volume and loss, CSV as listed.
TEST(Advisor, RankingParetoAndCsv) {
    Catalogue cat;
    for (const char* name : {"A", "B", "C", "D"}) {
        CoreVariant c;
        c.kerntyp = name;
        cat.cores.push_back(c);
    }
    cat.materials.emplace_back();
    cat.materials.back().name = "M";
    auto design = [](std::size_t core, double ve, double loss, bool feasible) {
        Design d;
        d.core = core;
        d.ve_mm3 = ve;
        d.ptotal_W = loss;
        d.feasible = feasible;
        if (!feasible) d.reason = {Reason::Code::TooHot, 58.4, 40};
        return d;
    };
    // B is beaten by A in both volume and loss; D is rejected.
    std::vector<Design> designs = {design(0, 100, 2, true), design(1, 200, 3, true), design(2, 300, 1, true),
                                   design(3, 50, 0.1, false)};
    Rank(designs, cat, SortKey::Loss);
    std::vector<std::pair<std::string, bool>> order;
    for (const Design& d : designs)
        order.emplace_back(cat.cores[d.core].kerntyp, d.pareto);
    EXPECT_EQ(order, (std::vector<std::pair<std::string, bool>>{
                         {"C", true}, {"A", true}, {"B", false}, {"D", false}}));
    EXPECT_EQ(designs[0].rank, 1);
    EXPECT_EQ(designs[3].rank, 0);
    EXPECT_EQ(CsvLine(designs[3], cat), ",D,0,0,M,0,too hot: ΔT 58 K > 40 K,,,,,,,,,,,0.1000,,50.0,,,");
}

} // namespace
} // namespace tolvik::advisor
