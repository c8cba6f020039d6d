#!/usr/bin/env python3
"""Generates data/db1.sql, the sample material and core database of Tolvik.

Run from anywhere:  python3 data/generate_db.py [--check]
The output is deterministic (no randomness, fixed ordering, fixed number
formatting), so regenerating without changes gives an identical file.
--check prints the calibration figures (transmissible power, DC-bias gap,
harmonic distortion, K-factor agreement) computed from the generated data.

All values are synthetic.  They are built from textbook physical models of
MnZn ferrites and standard core geometry, tuned to the magnitudes that are
typical of the material class (not taken from any particular data sheet):

  * initial permeability vs temperature: anisotropy compensation gives a
    secondary maximum where the crystal anisotropy constant K1 passes through
    zero (power ferrites place it at the loss minimum, 80..100 degC); the
    Hopkinson peak lies just below the Curie temperature Tc, from which the
    curve falls steeply to mu_i = 1 at Tc (paramagnetic above: end mark 0);
  * B-H loop: shifted branch model B = F(H -/+ Hc) with a fast (tanh) and a
    slow (arctan) approach to saturation; Bs is the flux density at the
    measuring field of 1200 A/m, the loop passes through (+-Hc, 0);
  * amplitude permeability: Rayleigh-type rise from mu_i to a maximum at
    roughly 40 % of Bs, then the fall of B/(mu0 H) towards saturation;
  * complex permeability: relaxation of the domain-wall/spin contribution,
    mu = 1 + (mu_i - 1)/(1 + j (f/fr)^n), with fr at 80 % of Snoek's limit
    (mu_i - 1) fr = gamma Js / (3 pi); n = 1 (a single relaxation) except for
    the low-loss signal grade, whose spectrum is sharper;
  * core loss: loss separation, hysteresis k_h f^a B^b (Steinmetz) plus
    classical eddy current k_e f^2 B^2 plus a residual/relaxation term rising
    with f^3, with the parabolic temperature law (1 + ((T-Tmin)/Tw)^2);
  * loss-law coefficients: least squares fit of ln Pv = C + X ln B;
  * core constants: effective parameters by the summation method of the core
    standards (C1 = sum l/A, C2 = sum l/A^2, Ae = C1/C2, le = C1^2/C2,
    Ve = Ae le) over a path model built from the nominal dimensions of each
    standard shape; thermal resistance in free air from the outer surface S of
    the wound core, Rth = c S^p, fitted per family to published tables;
    resistance factor Ar = rho LN / (fCu AN) for a copper fill factor of 0.5;
    core distortion factor CDF = (le/Ae^2) (LN/AN)^1.5 in mm^-4.5;
  * gap with fringe flux: each dimension of the pole face grows by the gap s,
    the resulting Al(s) is fitted to Al = K1 s^K2 over 0.1..3.5 mm and kept
    above the fringe-free relation;
  * wire: AWG diameters d = 0.127 mm * 92^((36 - n)/39), grade-1 enamel
    increment 0.055 mm * sqrt(d/mm).
"""

import math
import os
import sys

MU0 = 4e-7 * math.pi          # exact value, used for building data only
RHO_CU = 17.2e-9              # ohm m at 20 degC

# ---------------------------------------------------------------------------
# Number formatting (deterministic)


def num(x, digits=4):
    """Number text with `digits` significant digits; integers stay integers."""
    if x is None:
        return "0"
    if isinstance(x, int):
        return str(x)
    if x == 0 or not math.isfinite(x):
        return "0"
    mag = int(math.floor(math.log10(abs(x))))
    dec = max(0, digits - 1 - mag)
    r = round(x, dec)
    if dec == 0:
        return str(int(r))
    s = f"{r:.{dec}f}".rstrip("0").rstrip(".")
    return "0" if s in ("-0", "") else s


def nonzero(x, digits=4):
    """Like num, but a value that would print as 0 becomes a tiny signed
    value: inside a curve, 0 is reserved for the end mark."""
    s = num(x, digits)
    if float(s) == 0.0:
        return "0.01" if x >= 0 else "-0.01"
    return s


def flag(b):
    return "-1" if b else "0"


# ---------------------------------------------------------------------------
# Monotone cubic interpolation (Fritsch-Carlson), used for smooth curves


def pchip(xs, ys):
    n = len(xs)
    h = [xs[i + 1] - xs[i] for i in range(n - 1)]
    d = [(ys[i + 1] - ys[i]) / h[i] for i in range(n - 1)]
    m = [0.0] * n
    m[0], m[-1] = d[0], d[-1]
    for i in range(1, n - 1):
        if d[i - 1] * d[i] <= 0:
            m[i] = 0.0
        else:
            w1, w2 = 2 * h[i] + h[i - 1], h[i] + 2 * h[i - 1]
            m[i] = (w1 + w2) / (w1 / d[i - 1] + w2 / d[i])

    def f(x):
        if x <= xs[0]:
            return ys[0]
        if x >= xs[-1]:
            return ys[-1]
        i = max(k for k in range(n - 1) if xs[k] <= x)
        t = (x - xs[i]) / h[i]
        h00 = 2 * t**3 - 3 * t**2 + 1
        h10 = t**3 - 2 * t**2 + t
        h01 = -2 * t**3 + 3 * t**2
        h11 = t**3 - t**2
        return h00 * ys[i] + h10 * h[i] * m[i] + h01 * ys[i + 1] + h11 * h[i] * m[i + 1]
    return f


# ---------------------------------------------------------------------------
# Materials.  Names are this program's own.  Magnitudes:
#   power MnZn:  mu_i 1500..2500, Bs 480..530 mT (25 C), 370..450 mT (100 C),
#                Hc 10..20 A/m, Tc 200..250 C, density ~4800 kg/m3,
#                resistivity a few ohm m, Pv(100 kHz, 200 mT, 100 C) ~300..500
#   signal MnZn: mu_i 2000..15000, Bs 360..470 mT, Hc 2..15 A/m, Tc 120..190 C,
#                resistivity 0.1..1 ohm m, eta_B 0.3..1.5 e-3/T

MATERIALS = [
    # Power materials
    dict(name="R25", mui=2000, Bs25=490, Bs100=370, Hc25=16, Hc100=11, Tc=205,
         hb=1.8, fmin=10, ftyp=25, fmax=100, dT=40, Dichte=4750, dcresist=3.0,
         Leistung=True, mua=False, Aktuell=False, hyst100=True,
         mu_anchor=[(-40, 0.58), (25, 1.0), (75, 1.65), (130, 1.35), (190, 1.9)],
         Brr25=0.30, Brr100=0.22, muamax25=2.3, muamax100=1.5,
         loss=dict(Kh=80, ah=1.12, bh=2.55, Ke=12, Kr=0.0, Tmin=75, Tw=50),
         ref=(25, 200, 100)),
    dict(name="R41", mui=2300, Bs25=500, Bs100=390, Hc25=14, Hc100=9, Tc=220,
         hb=1.6, fmin=25, ftyp=100, fmax=200, dT=40, Dichte=4800, dcresist=5.0,
         Leistung=True, mua=True, Aktuell=True, hyst100=True,
         mu_anchor=[(-40, 0.55), (25, 1.0), (90, 1.85), (150, 1.55), (205, 2.2)],
         Brr25=0.32, Brr100=0.20, muamax25=2.4, muamax100=1.55,
         loss=dict(Kh=60, ah=1.15, bh=2.6, Ke=8, Kr=0.5, Tmin=90, Tw=55),
         ref=(100, 200, 100)),
    dict(name="R52", mui=2400, Bs25=510, Bs100=410, Hc25=13, Hc100=9, Tc=225,
         hb=1.4, fmin=25, ftyp=100, fmax=300, dT=40, Dichte=4800, dcresist=6.0,
         Leistung=True, mua=True, Aktuell=True, hyst100=True,
         mu_anchor=[(-40, 0.52), (25, 1.0), (100, 1.95), (155, 1.6), (210, 2.3)],
         Brr25=0.30, Brr100=0.19, muamax25=2.5, muamax100=1.6,
         loss=dict(Kh=46, ah=1.18, bh=2.65, Ke=6, Kr=0.4, Tmin=100, Tw=50),
         ref=(100, 200, 100)),
    dict(name="R63", mui=2000, Bs25=530, Bs100=450, Hc25=16, Hc100=10, Tc=250,
         hb=1.7, fmin=25, ftyp=100, fmax=200, dT=40, Dichte=4850, dcresist=4.0,
         Leistung=True, mua=True, Aktuell=True, hyst100=True,
         mu_anchor=[(-40, 0.60), (25, 1.0), (85, 1.6), (160, 1.45), (235, 2.1)],
         Brr25=0.33, Brr100=0.23, muamax25=2.3, muamax100=1.6,
         loss=dict(Kh=55, ah=1.15, bh=2.55, Ke=8, Kr=0.5, Tmin=85, Tw=60),
         ref=(100, 200, 100)),
    dict(name="R78", mui=1500, Bs25=480, Bs100=400, Hc25=20, Hc100=14, Tc=240,
         hb=2.0, fmin=100, ftyp=500, fmax=1000, dT=40, Dichte=4800, dcresist=12.0,
         Leistung=True, mua=True, Aktuell=True, hyst100=True,
         mu_anchor=[(-40, 0.62), (25, 1.0), (95, 1.55), (160, 1.4), (225, 1.9)],
         Brr25=0.28, Brr100=0.20, muamax25=2.2, muamax100=1.6,
         loss=dict(Kh=38, ah=1.2, bh=2.5, Ke=2.0, Kr=0.35, Tmin=95, Tw=55),
         ref=(500, 50, 100)),
    # Signal materials
    dict(name="S22", mui=2200, Bs25=470, Bs100=380, Hc25=15, Hc100=11, Tc=190,
         hb=0.4, fmin=1, ftyp=100, fmax=300, dT=30, Dichte=4800, dcresist=1.5,
         Leistung=False, mua=True, Aktuell=True, hyst100=True,
         sharp=1.6, tanh_mui=0.6e-6,
         mu_anchor=[(-40, 0.72), (25, 1.0), (55, 1.08), (110, 1.0), (175, 1.7)],
         Brr25=0.28, Brr100=0.20, muamax25=2.0, muamax100=1.6),
    dict(name="H52", mui=5200, Bs25=430, Bs100=300, Hc25=6, Hc100=4, Tc=155,
         hb=0.9, fmin=1, ftyp=50, fmax=200, dT=30, Dichte=4850, dcresist=0.5,
         Leistung=False, mua=True, Aktuell=True, hyst100=True,
         mu_anchor=[(-40, 0.55), (25, 1.0), (45, 1.05), (95, 0.92), (142, 1.45)],
         Brr25=0.22, Brr100=0.18, muamax25=1.6, muamax100=1.4),
    dict(name="H103", mui=10000, Bs25=390, Bs100=230, Hc25=4, Hc100=3, Tc=130,
         hb=1.2, fmin=1, ftyp=10, fmax=100, dT=30, Dichte=4900, dcresist=0.2,
         Leistung=False, mua=False, Aktuell=True, hyst100=True,
         mu_anchor=[(-40, 0.45), (25, 1.0), (35, 1.02), (80, 0.9), (118, 1.35)],
         Brr25=0.20, Brr100=0.16, muamax25=1.4, muamax100=1.3),
    dict(name="H125", mui=12500, Bs25=370, Bs100=200, Hc25=3, Hc100=2, Tc=120,
         hb=1.5, fmin=1, ftyp=10, fmax=50, dT=30, Dichte=4900, dcresist=0.15,
         Leistung=False, mua=False, Aktuell=True, hyst100=False,
         mu_anchor=[(-40, 0.42), (25, 1.0), (30, 1.01), (75, 0.88), (108, 1.3)],
         Brr25=0.18, Brr100=0.15, muamax25=1.35, muamax100=1.3),
]

# Shape of the permeability spectrum (see complex_mu): a single relaxation (1.0) for
# the power and high-permeability grades; the low-loss signal grade is sharper and
# has the smaller hysteresis loss angle.
for _m in MATERIALS:
    _m.setdefault("sharp", 1.0)
    _m.setdefault("tanh_mui", 1.5e-6)

HMAX = 1200.0         # A/m, measuring field of Bs and of the loops

MUIT_T = list(range(-40, 265, 5))
PV_F = [25, 50, 100, 200, 300, 500, 700, 1000]
PV_B = [13, 25, 50, 100, 200, 300]
PV_T = [25, 30, 40, 50, 60, 70, 80, 90, 100, 110, 120]
MUAB_B = [0, 2, 5, 10, 20, 30, 40, 50, 75, 100, 125, 150, 175, 200, 225, 250,
          275, 300, 325, 350, 375, 400, 425, 450, 475, 500, 525, 550]
MUAH_H = [0, 1, 2, 3, 5, 7, 10, 15, 20, 25, 30, 40, 50, 60, 80, 100, 125, 150,
          200, 250, 300, 400, 500, 600, 800, 1000, 1200]
MUF_F = [round(10 ** (k / 10.0), 4) for k in range(0, 48)]   # 1 kHz .. 50 MHz


def mui_curve(m):
    """mu_i(T): smooth curve through the anchor points; past the last anchor (the
    Hopkinson peak) it falls steeply, to a third of the peak 5 K below Tc and to
    mu_i = 1 at Tc, where the material turns paramagnetic.  Above Tc the table
    holds the end mark 0."""
    anchors = sorted(m["mu_anchor"])
    Tc = m["Tc"]
    one = 1.0 / m["mui"]
    xs = [a[0] for a in anchors] + [Tc - 5, Tc]
    ys = [a[1] for a in anchors] + [anchors[-1][1] / 3, one]
    f = pchip(xs, ys)

    def mu(T):
        if T > Tc:
            return 0.0
        return max(1.0, m["mui"] * f(T))
    return mu


def mui_at(m, T):
    return mui_curve(m)(T)


# --- B-H loop ---------------------------------------------------------------

def loop_branch_shape(h, a):
    # 70 % fast (tanh) and 30 % slow (arctan) approach to saturation
    return 0.7 * math.tanh(h / a) + 0.3 * (2 / math.pi) * math.atan(h / (4 * a))


def loop_params(Bs, Hc, Br):
    """Width a of the branch and scale K so that B(Hmax) = Bs, B(0) = Br."""
    lo, hi = 0.05, 5000.0
    for _ in range(200):
        a = math.sqrt(lo * hi)
        K = Bs / loop_branch_shape(HMAX + Hc, a)
        br = K * loop_branch_shape(Hc, a)
        if br > Br:
            lo = a
        else:
            hi = a
    a = math.sqrt(lo * hi)
    return a, Bs / loop_branch_shape(HMAX + Hc, a)


def bh_loop(Bs, Hc, Br, npoints):
    """Closed loop: descending branch from +Hmax to -Hmax, ascending back."""
    a, K = loop_params(Bs, Hc, Br)

    def asc_raw(H):
        return K * loop_branch_shape(H - Hc, a)
    delta = -asc_raw(-HMAX) - asc_raw(HMAX)       # tip mismatch (tiny)

    def asc(H):
        return asc_raw(H) + delta * ((H + HMAX) / (2 * HMAX)) ** 8

    def desc(H):
        return -asc(-H)
    nb = npoints // 2
    # even count of symmetric parameters: H = 0 is never sampled; points are
    # denser around the coercive region
    c = 4.0
    us = [-1 + 2 * k / (nb - 1) for k in range(nb)]
    hs = [HMAX * math.sinh(c * u) / math.sinh(c) for u in us]
    pts = [(H, desc(H)) for H in reversed(hs)]
    pts += [(H, asc(H)) for H in hs[1:]]
    pts.append(pts[0])                        # closed
    return pts


# --- normal magnetisation curve, amplitude permeability ---------------------

def mua_of_b(mu_i, mumax_ratio, Bs, B):
    """Amplitude permeability at peak flux density B (mT)."""
    mu_end = Bs * 1e-3 / (MU0 * HMAX)
    mumax = mu_i * mumax_ratio
    bm = 0.42
    b = B / Bs
    if b <= bm:
        th = math.pi / 2 * b / bm
        return mu_i + (mumax - mu_i) * math.sin(th) ** 2
    t = (b - bm) / (1 - bm)
    return math.exp(math.log(mumax) + (math.log(mu_end) - math.log(mumax)) * t ** 1.6)


def h_of_b(mu_i, r, Bs, B):
    if B == 0:
        return 0.0
    return B * 1e-3 / (MU0 * mua_of_b(mu_i, r, Bs, B))


def mua_of_h(mu_i, r, Bs, H):
    if H == 0:
        return mu_i
    lo, hi = 0.0, Bs
    if h_of_b(mu_i, r, Bs, hi) < H:
        return None
    for _ in range(100):
        mid = 0.5 * (lo + hi)
        if h_of_b(mu_i, r, Bs, mid) < H:
            lo = mid
        else:
            hi = mid
    B = 0.5 * (lo + hi)
    return B * 1e-3 / (MU0 * H)


# --- complex permeability ---------------------------------------------------

# Snoek's limit: (mu_i - 1) * fr <= gamma * Js / (3 pi), with the gyromagnetic ratio
# gamma / (2 pi) = 28 GHz/T, i.e. 18.7 GHz per tesla of Js (Js taken as Bs at 25 degC).
# Real MnZn grades reach about 80 % of it; fr is the frequency at which mu' has fallen
# to half its low-frequency value.
SNOEK_GHZ_PER_T = 2.0 / 3.0 * 28.0
SNOEK_SHARE = 0.8


def relaxation_fr(m):
    """Relaxation frequency [kHz] of the material by Snoek's law."""
    return SNOEK_SHARE * SNOEK_GHZ_PER_T * 1e6 * (m["Bs25"] / 1000.0) / (m["mui"] - 1)


def complex_mu(m, f):
    """mu = 1 + (mu_i - 1) / (1 + j (f/fr)^n): a relaxation at fr that is sharper
    than a single Debye term (n > 1), as the measured spectra of low-loss grades are:
    their loss below fr rises with f^n, not with f.  mu' falls to half at fr."""
    fr = relaxation_fr(m)
    z = complex(1.0, (f / fr) ** m["sharp"])
    mu = 1 + (m["mui"] - 1) / z
    # frequency-independent hysteresis loss angle of the ferrite (tan_h / mu_i)
    tan_h = m["tanh_mui"] * m["mui"]
    return mu.real, -mu.imag + mu.real * tan_h


# --- core loss ----------------------------------------------------------------

def pv_model(m, f, B, T):
    p = m["loss"]
    tau = (1 + ((T - p["Tmin"]) / p["Tw"]) ** 2) / (1 + ((100 - p["Tmin"]) / p["Tw"]) ** 2)
    eddy_t = 1 + 0.004 * (T - 100)          # resistivity falls with T
    x, y = f / 100.0, B / 100.0
    ph = p["Kh"] * x ** p["ah"] * y ** p["bh"] * tau
    pe = p["Ke"] * x ** 2 * y ** 2 * eddy_t
    pr = p["Kr"] * x ** 3 * y ** 2
    return ph + pe + pr


def pv_allowed(m, f, B):
    """Measured combinations: inside the material's frequency range, below
    saturation at 100 degC, and a loss a hot core could carry."""
    if not (m["fmin"] <= f <= m["fmax"]):
        return False
    if B > 0.8 * m["Bs100"]:
        return False
    if f >= 500 and B > 100:
        return False
    if f >= 700 and B > 50:
        return False
    p100 = pv_model(m, f, B, 100)
    pmax = max(pv_model(m, f, B, T) for T in PV_T)
    return p100 >= 1.0 and pmax <= 3500.0


def hb_of_T(m, T):
    if T >= m["Tc"]:
        return 0.0
    T0 = max(m["mu_anchor"], key=lambda a: a[1] if a[0] < m["Tc"] - 30 else 0)[0]
    g = lambda t: 1 + ((t - T0) / 80.0) ** 2
    return m["hb"] * g(T) / g(25)


# ---------------------------------------------------------------------------
# Cores.  Path model: centre leg, outer legs and yokes in series; each
# segment has a length l and a cross-section A.  Dimensions in mm.

def summation(segs):
    c1 = sum(l / A for l, A in segs)
    c2 = sum(l / A**2 for l, A in segs)
    Ae = c1 / c2
    le = c1 * c1 / c2
    return Ae, le, min(A for _, A in segs)


# Thermal resistance in free air (natural convection and radiation) of a wound core:
# heat leaves through the outer surface S, and the heat transfer coefficient falls
# slowly with size, so Rth = c * S^-p.  p and c are fitted per family to the values of
# published tables (E cores: E 13 94, E 16 65, E 20 46, E 25 40, E 30 23, E 32 22,
# E 42/15 19, E 42/20 15, E 55 11, E 65 6.5 K/W; EFD: EFD 15 75, EFD 20 45, EFD 25 30,
# EFD 30 25 K/W) by least squares of ln Rth on ln S.  The other families (ETD, PQ,
# RM, toroids) take the E-core law: it holds the shape in the surface.
RTH_PUBLISHED = {
    "E": {"E 13/7/4": 94, "E 16/8/5": 65, "E 20/10/6": 46, "E 25/13/7": 40,
          "E 30/15/7": 23, "E 32/16/9": 22, "E 42/21/15": 19, "E 42/21/20": 15,
          "E 55/28/21": 11, "E 65/32/27": 6.5},
    "EFD": {"EFD 15": 75, "EFD 20": 45, "EFD 25": 30, "EFD 30": 25},
}


def rth_laws(standard_rows):
    """{family: (c, p)} with Rth = c * (S / 1000 mm2)^p; standard_rows maps a core
    name to its geometry (standard variant)."""
    pub = RTH_PUBLISHED["E"]
    X, C = lsq([math.log(standard_rows[n]["surf"] / 1000) for n in pub],
               [math.log(r) for r in pub.values()])
    laws = {"E": (math.exp(C), X)}
    for fam, pub in RTH_PUBLISHED.items():
        if fam == "E":
            continue
        lc = sum(math.log(r) - X * math.log(standard_rows[n]["surf"] / 1000)
                 for n, r in pub.items()) / len(pub)
        laws[fam] = (math.exp(lc), X)
    return laws


def rth_of(law, surf):
    c, p = law
    return c * (surf / 1000.0) ** p


# Copper fill factor of a bobbin's winding area with round enamelled wire (layer
# winding, insulation and the wire's enamel included): Ar = rho * LN / (fCu * AN).
AR_FILL = 0.5


def cdf_of(le, Ae, LN, AN):
    """Core distortion factor (le / Ae^2) * (LN / AN)^1.5 in mm^-4.5: the third
    harmonic of a Rayleigh core grows with le/Ae^2 (flux density at a given voltage)
    and with the winding's loss figure (LN/AN)^1.5."""
    return le / Ae**2 * (LN / AN) ** 1.5


def bobbin(D2, w):
    """Winding area, flange-to-flange height and wall thickness of a bobbin
    in a window of height D2 (both halves) and width w."""
    tf = 0.3 + 0.06 * D2
    tw = 0.3 + 0.15 * w
    hw = D2 - 2 * tf
    return hw * (w - tw), hw, tw


def e_like(A, B, C, D, E, F, round_leg=False, Fthick=None, outer_factor=1.0,
           pq=False):
    """E, ETD, EFD and PQ shapes: overall width A, half height B, depth C,
    half window height D, window span E, centre leg width/diameter F."""
    if round_leg:
        A1 = math.pi * F * F / 4
    else:
        A1 = F * (Fthick if Fthick else C)
    to = (A - E) / 2                    # outer leg thickness
    A2 = 2 * to * C * outer_factor
    h = B - D                           # yoke thickness
    A3 = 2 * h * C
    if pq:
        # PQ: the outer legs are corner blocks, the yoke is cut back round them
        A2 = 1.25 * A1
        A3 = 2 * h * C * 0.6
    w = (E - F) / 2
    vert = 2 * D + h
    horiz = 2 * (w + F / 4 + to / 2)
    segs = [(vert, A1), (vert, A2), (horiz, A3)]
    Ae, le, Amin = summation(segs)
    AN, hw, tw = bobbin(2 * D, w)
    if round_leg:
        LN = math.pi * (F + w + tw)
    else:
        LN = 2 * (F + (Fthick if Fthick else C)) + math.pi * (w + tw)
    # outer surface of the wound core: the winding stands out of the core's depth
    depth = max(C, (F if round_leg else (Fthick if Fthick else C)) + 2 * w)
    surf = 2 * (A * 2 * B + A * depth + 2 * B * depth)
    return dict(Ae=Ae, le=le, Amin=Amin, AN=AN, LN=LN, hw=hw, surf=surf,
                pole=(F, Fthick if Fthick else C) if not round_leg else None,
                A1=A1, D=D)


def pot_like(A, E, F, hole, B, D, outer_share, rm=False):
    """Pot and RM cores: outer diameter A, window diameter E, centre
    diameter F, hole diameter, half height B, half window height D.
    outer_share: fraction of the outer ring that is ferrite."""
    A1 = math.pi / 4 * (F * F - hole * hole)
    A2 = math.pi / 4 * (A * A - E * E) * outer_share
    h = B - D
    rmean = (F / 2 + E / 2) / 2
    A3 = 2 * math.pi * rmean * h * (0.9 if rm else 1.0)
    w = (E - F) / 2
    vert = 2 * D + h
    horiz = 2 * (w + F / 4)
    segs = [(vert, A1), (vert, A2), (horiz, A3)]
    Ae, le, Amin = summation(segs)
    AN, hw, tw = bobbin(2 * D, w)
    LN = math.pi * (F + w + tw)
    if rm:
        # RM: a square outline of side A with the winding open at two sides
        surf = 2 * A * A + 4 * A * 2 * B
    else:
        surf = math.pi * A * A / 2 + math.pi * A * 2 * B
    return dict(Ae=Ae, le=le, Amin=Amin, AN=AN, LN=LN, hw=hw, surf=surf, pole=None,
                A1=A1, D=D)


def toroid(OD, ID, H):
    r1, r2 = ID / 2, OD / 2
    ln = math.log(r2 / r1)
    le = 2 * math.pi * ln / (1 / r1 - 1 / r2)
    Ae = H * ln * ln / (1 / r1 - 1 / r2)
    AN = math.pi * r1 * r1 * 0.5
    tw = ID / 6
    LN = 2 * (H + (r2 - r1)) + math.pi * tw * 2
    # wound toroid: the winding (thickness tw) covers the core all round
    od, idw, hh = OD + 2 * tw, ID - 2 * tw, H + 2 * tw
    surf = math.pi / 2 * (od * od - idw * idw) + math.pi * (od + idw) * hh
    # uniform section: the smallest section is the effective one
    return dict(Ae=Ae, le=le, Amin=Ae, AN=AN, LN=LN,
                hw=math.pi * ID * 0.8, surf=surf, pole=None,
                A1=Ae, D=H / 2)


K_FIT_MUI = 2400.0       # highest mu_i of the K-factor materials (R41, R52, R63)
K_FIT_GAPS = [0.1 * (35.0 ** (i / 14.0)) for i in range(15)]   # 0.1 .. 3.5 mm


def al_fringed(c, s, mui):
    """Al [nH] of the gapped core with fringe flux: by the usual rule of thumb
    each dimension of the pole face widens by the gap s, A_gap = (a + s)(b + s)."""
    a, b = c["pole"]
    Agap = (a + s) * (b + s)
    rel = c["le"] / (mui * c["Ae"]) + s / Agap       # 1/mm
    return MU0 / (rel * 1e3) * 1e9


def al_unfringed(c, s, mui):
    """Al [nH] of the gapped core relation that ignores the fringe flux."""
    mue = 1 / (1 / mui + (1 - 1 / mui) * s / c["le"])
    return mue * MU0 * c["Ae"] / c["le"] * 1e6


def k_factors(c):
    """Fit Al = K1 s^K2 to the fringe-corrected gapped-core relation over
    0.1 .. 3.5 mm.  Fringe flux always raises Al: where the power law falls below
    the fringe-free relation somewhere in the range, K1 is raised to meet it."""
    xs = [math.log(s) for s in K_FIT_GAPS]
    ys = [math.log(al_fringed(c, s, K_FIT_MUI)) for s in K_FIT_GAPS]
    X, C = lsq(xs, ys)
    K1 = math.exp(C)
    lift = max(al_unfringed(c, s, K_FIT_MUI) / (K1 * s ** X) for s in K_FIT_GAPS)
    return K1 * max(1.0, lift * 1.005), X


def lsq(xs, ys):
    n = len(xs)
    mx, my = sum(xs) / n, sum(ys) / n
    sxx = sum((x - mx) ** 2 for x in xs)
    sxy = sum((x - mx) * (y - my) for x, y in zip(xs, ys))
    X = sxy / sxx
    return X, my - X * mx


E_CORES = [  # name, A, B, C, D, E, F
    ("E 13/7/4", 12.7, 6.4, 3.6, 4.6, 9.3, 3.6),
    ("E 16/8/5", 16.0, 8.2, 4.7, 5.8, 11.3, 4.7),
    ("E 20/10/6", 20.0, 10.1, 5.9, 6.3, 14.1, 5.9),
    ("E 25/13/7", 25.4, 12.7, 7.5, 8.9, 17.5, 7.5),
    ("E 30/15/7", 30.0, 15.2, 7.3, 9.7, 19.5, 7.2),
    ("E 32/16/9", 32.0, 16.4, 9.5, 11.5, 22.7, 9.5),
    ("E 42/21/15", 42.0, 21.0, 15.2, 14.8, 29.5, 12.2),
    ("E 42/21/20", 42.0, 21.0, 20.0, 14.8, 29.5, 12.2),
    ("E 55/28/21", 55.0, 27.8, 21.0, 18.5, 37.5, 17.2),
    ("E 65/32/27", 65.0, 32.8, 27.4, 22.2, 44.2, 20.0),
]
E_LOW_PROFILE = {"E 20/10/6", "E 32/16/9", "E 42/21/15"}

ETD_CORES = [
    ("ETD 29", 30.6, 15.8, 9.8, 11.0, 22.7, 9.8),
    ("ETD 34", 34.2, 17.3, 10.8, 12.1, 25.6, 10.8),
    ("ETD 39", 39.1, 19.8, 12.5, 14.2, 29.3, 12.5),
    ("ETD 44", 44.0, 22.3, 14.9, 16.1, 32.5, 14.9),
    ("ETD 49", 48.7, 24.7, 16.7, 17.7, 36.1, 16.7),
    ("ETD 59", 59.8, 31.0, 21.7, 22.5, 44.7, 21.7),
]
EFD_CORES = [  # name, A, B, C, D, E, F, centre leg thickness
    ("EFD 15", 15.0, 7.5, 4.65, 5.5, 11.0, 5.3, 2.4),
    ("EFD 20", 20.0, 10.0, 6.65, 7.7, 15.4, 8.9, 3.6),
    ("EFD 25", 25.0, 12.5, 9.1, 9.3, 18.7, 11.4, 5.2),
    ("EFD 30", 30.0, 15.0, 9.1, 11.2, 22.4, 14.6, 4.9),
]
PQ_CORES = [
    ("PQ 20/16", 21.25, 8.1, 14.0, 5.15, 18.0, 8.8),
    ("PQ 26/25", 27.3, 12.4, 19.0, 8.05, 22.5, 12.0),
    ("PQ 32/30", 33.0, 15.0, 22.0, 10.65, 27.5, 13.45),
    ("PQ 40/40", 41.5, 19.9, 28.0, 14.75, 37.0, 14.9),
]
RM_CORES = [  # name, A (equivalent outer diameter), E, F, hole, B, D
    ("RM 4", 9.6, 8.15, 3.9, 0.0, 5.2, 3.6),
    ("RM 5", 12.1, 10.4, 4.8, 2.1, 5.2, 3.25),
    ("RM 6", 14.7, 12.6, 6.3, 3.0, 6.2, 4.1),
    ("RM 8", 19.7, 17.3, 8.4, 3.4, 8.2, 5.5),
    ("RM 10", 24.2, 21.2, 10.7, 5.4, 9.3, 6.35),
    ("RM 12", 29.0, 25.0, 12.6, 5.4, 12.3, 8.45),
    ("RM 14", 34.0, 29.0, 14.8, 5.4, 15.0, 10.4),
]
P_CORES = [  # name, A, E, F, hole, B, D, solid variant too
    ("P 9/5", 9.15, 7.5, 3.8, 2.0, 2.7, 1.8, False),
    ("P 11/7", 11.1, 9.0, 4.6, 2.0, 3.3, 2.2, False),
    ("P 14/8", 14.05, 11.6, 5.9, 3.0, 4.2, 2.8, True),
    ("P 18/11", 17.9, 14.9, 7.45, 3.0, 5.3, 3.6, True),
    ("P 22/13", 21.6, 17.9, 9.35, 4.4, 6.7, 4.6, False),
    ("P 26/16", 25.5, 21.2, 11.35, 5.4, 8.1, 5.5, True),
    ("P 30/19", 30.0, 25.0, 13.3, 5.4, 9.4, 6.5, False),
    ("P 36/22", 35.6, 29.9, 16.2, 5.4, 10.7, 7.3, False),
]
TOROIDS = [
    ("T 10/6/4", 10.0, 6.0, 4.0),
    ("T 16/9.6/6.3", 16.0, 9.6, 6.3),
    ("T 25/15/10", 25.0, 15.0, 10.0),
    ("T 36/23/15", 36.0, 23.0, 15.0),
    ("T 58/41/18", 58.0, 41.0, 18.0),
]


def build_cores():
    rows = []
    standard = {}
    for name, A, B, C, D, E, F in E_CORES:
        standard[name] = e_like(A, B, C, D, E, F)
    for name, A, B, C, D, E, F, Ft in EFD_CORES:
        standard[name] = e_like(A, B, C, D, E, F, Fthick=Ft)
    laws = rth_laws(standard)

    def add(name, c, LP=False, Loch=False, Anzeige=True, RthAnz=True,
            has_rth=True, kf=False, cdf=False):
        Ve = c["Ae"] * c["le"]
        K1 = K2 = 0.0
        if kf:
            K1, K2 = k_factors(c)
        fam = name.split()[0]
        rows.append(dict(Kerntyp=name, LP=LP, Loch=Loch, Anzeige=Anzeige,
                         RthAnzeige=RthAnz, Ae=c["Ae"], le=c["le"], Ve=Ve,
                         Amin=c["Amin"], AN=c["AN"], LN=c["LN"],
                         Rth=rth_of(laws.get(fam, laws["E"]), c["surf"]) if has_rth else 0.0,
                         Ar=RHO_CU * 1e9 * c["LN"] / (AR_FILL * c["AN"]), K1=K1, K2=K2,
                         CDF=cdf_of(c["le"], c["Ae"], c["LN"], c["AN"]) if cdf else 0.0,
                         hWickel=c["hw"]))

    for name, A, B, C, D, E, F in E_CORES:
        add(name, e_like(A, B, C, D, E, F), kf=True, cdf=A <= 20)
        if name in E_LOW_PROFILE:
            Dl = 0.4 * D
            add(name, e_like(A, B - D + Dl, C, Dl, E, F), LP=True,
                Anzeige=False, RthAnz=False)
    for name, A, B, C, D, E, F in ETD_CORES:
        add(name, e_like(A, B, C, D, E, F, round_leg=True))
    for name, A, B, C, D, E, F, Ft in EFD_CORES:
        add(name, e_like(A, B, C, D, E, F, Fthick=Ft))
    for name, A, B, C, D, E, F in PQ_CORES:
        add(name, e_like(A, B, C, D, E, F, round_leg=True, pq=True))
    for name, A, E, F, hole, B, D in RM_CORES:
        add(name, pot_like(A, E, F, 0.0, B, D, 0.8, rm=True), cdf=True)
        if hole > 0:
            add(name, pot_like(A, E, F, hole, B, D, 0.8, rm=True), Loch=True,
                Anzeige=False, RthAnz=False, cdf=True)
    for name, A, E, F, hole, B, D, solid in P_CORES:
        add(name, pot_like(A, E, F, hole, B, D, 0.85), Loch=True, RthAnz=False,
            has_rth=False, cdf=True)
        if solid:
            add(name, pot_like(A, E, F, 0.0, B, D, 0.85), Anzeige=False,
                RthAnz=False, has_rth=False, cdf=True)
    for name, OD, ID, H in TOROIDS:
        add(name, toroid(OD, ID, H), cdf=True)
    return rows


# ---------------------------------------------------------------------------
# Wires

def build_wires():
    rows = []
    for awg in range(44, 9, -1):
        d = 0.127 * 92 ** ((36 - awg) / 39.0)
        dout = d + 0.055 * math.sqrt(d)
        fcu = (d / dout) ** 2
        npm = 1.0 / (1.05 * dout) ** 2        # square winding, 5 % pitch allowance
        rows.append(dict(Groesse=d, AWG=awg, N_pro_mm2=npm, fCu=fcu))
    return rows


# ---------------------------------------------------------------------------
# Tables

def material_rows():
    out = []
    for m in MATERIALS:
        mu = mui_curve(m)
        af = (mu(55) - mu(25)) / (mu(25) ** 2 * 30) * 1e6
        re, im = complex_mu(m, m["fmax"])
        tand = float(num(im / re / m["mui"] * 1e6, 2))  # data sheets give two digits
        if m["Leistung"]:
            f, B, T = m["ref"]
            Pv = float(num(pv_model(m, f, B, T), 3))
        else:
            f = B = T = 0
            Pv = 0.0
        out.append(dict(m, Name=m["name"], af=af, tandmuei=tand, f=f, B=B, T=T, Pv=Pv))
    return out


def curve_table(xname, xs, columns):
    """columns: list of (name, function x -> value or 0).  Once a column has
    returned 0 it stays 0 (end mark)."""
    rows = []
    ended = {name: False for name, _ in columns}
    for x in xs:
        row = [num(x, 6)]
        for name, fn in columns:
            v = 0.0 if ended[name] else fn(x)
            if not v or v <= 0:
                ended[name] = True
                row.append("0")
            else:
                row.append(num(v, 4))
        rows.append(row)
    return [xname] + [n for n, _ in columns], rows


def build_tables():
    mats = material_rows()
    tables = []

    # MuiT
    cols = [(m["name"], (lambda mm: (lambda T: mui_at(mm, T)))(m)) for m in MATERIALS]
    tables.append(("MuiT",) + curve_table("T", MUIT_T, cols))

    # MuaB / MuaH
    colsB, colsH = [], []
    for m in MATERIALS:
        if not m["mua"]:
            continue
        for T, Bs, r in ((25, m["Bs25"], m["muamax25"]), (100, m["Bs100"], m["muamax100"])):
            mu_i = mui_at(m, T)

            def fb(B, mu_i=mu_i, r=r, Bs=Bs):
                return mua_of_b(mu_i, r, Bs, B) if B <= Bs else 0.0

            def fh(H, mu_i=mu_i, r=r, Bs=Bs):
                v = mua_of_h(mu_i, r, Bs, H)
                return v if v else 0.0
            colsB.append((f"{m['name']}T{T}", fb))
            colsH.append((f"{m['name']}T{T}", fh))
    tables.append(("MuaB",) + curve_table("B", MUAB_B, colsB))
    tables.append(("MuaH",) + curve_table("H", MUAH_H, colsH))

    # Mu_mu__f
    cols = []
    for m in MATERIALS:
        cols.append((f"mu_{m['name']}", (lambda mm: lambda f: complex_mu(mm, f)[0])(m)))
        cols.append((f"mu__{m['name']}", (lambda mm: lambda f: complex_mu(mm, f)[1])(m)))
    tables.append(("Mu_mu__f",) + curve_table("f", MUF_F, cols))

    # Hysterese
    loops = []
    for m in MATERIALS:
        n = 240 if m["Leistung"] else 200
        mu25 = m["mui"]
        loops.append((m["name"] + "T25",
                      bh_loop(m["Bs25"], m["Hc25"], m["Brr25"] * m["Bs25"], n)))
        if m["hyst100"]:
            loops.append((m["name"] + "T100",
                          bh_loop(m["Bs100"], m["Hc100"], m["Brr100"] * m["Bs100"], n)))
        del mu25
    nrows = max(len(p) for _, p in loops) + 1
    fields = []
    for tag, _ in loops:
        fields += ["H" + tag, "B" + tag]
    rows = []
    for i in range(nrows):
        row = []
        for _, pts in loops:
            if i < len(pts):
                row += [nonzero(pts[i][0]), nonzero(pts[i][1])]
            else:
                row += ["0", "0"]
        rows.append(row)
    tables.append(("Hysterese", fields, rows))

    # hbT
    cols = [(m["name"], (lambda mm: lambda T: hb_of_T(mm, T))(m)) for m in MATERIALS]
    tables.append(("hbT",) + curve_table("T", MUIT_T, cols))

    # PvT: one row per (F, B, T) that at least one power material has
    power = [m for m in MATERIALS if m["Leistung"]]
    fields = ["T", "F", "B"] + [m["name"] for m in power]
    rows = []
    pv_values = {}
    for F in PV_F:
        for B in PV_B:
            ok = [pv_allowed(m, F, B) for m in power]
            if not any(ok):
                continue
            for T in PV_T:
                row = [str(T), str(F), str(B)]
                for m, good in zip(power, ok):
                    if good:
                        s = num(pv_model(m, F, B, T), 3)
                        pv_values[(m["name"], F, B, T)] = float(s)
                        row.append(s)
                    else:
                        row.append("0")
                rows.append(row)
    tables.append(("PvT", fields, rows))

    # PVEXPO: least squares of ln Pv = C + X ln B per (F, T)
    fields = ["F", "T"]
    for m in power:
        fields += [m["name"] + "X", m["name"] + "C"]
    rows = []
    for T in PV_T:
        for F in PV_F:
            row = [str(F), str(T)]
            anyfit = False
            for m in power:
                pts = [(math.log(B), math.log(pv_values[(m["name"], F, B, T)]))
                       for B in PV_B if (m["name"], F, B, T) in pv_values]
                if len(pts) >= 2:
                    X, C = lsq([p[0] for p in pts], [p[1] for p in pts])
                    row += [num(X, 5), num(C, 5)]
                    anyfit = True
                else:
                    row += ["0", "0"]
            if anyfit:
                rows.append(row)
    tables.append(("PVEXPO", fields, rows))
    return mats, tables


# ---------------------------------------------------------------------------
# SQL output

MATERIAL_FIELDS = [
    ("Name", "TEXT"), ("mui", "REAL"), ("Bs25", "REAL"), ("Bs100", "REAL"),
    ("Hc25", "REAL"), ("Hc100", "REAL"), ("Tc", "REAL"), ("hb", "REAL"),
    ("fmin", "REAL"), ("ftyp", "REAL"), ("fmax", "REAL"), ("dT", "REAL"),
    ("f", "INTEGER"), ("B", "INTEGER"), ("T", "INTEGER"), ("Pv", "REAL"),
    ("Dichte", "REAL"), ("tandmuei", "REAL"), ("af", "REAL"),
    ("dcresist", "REAL"), ("Leistung", "INTEGER"), ("mua", "INTEGER"),
    ("Aktuell", "INTEGER"),
]
KERN_FIELDS = [
    ("Kerntyp", "TEXT"), ("LP", "INTEGER"), ("Loch", "INTEGER"),
    ("Anzeige", "INTEGER"), ("RthAnzeige", "INTEGER"), ("Ae", "REAL"),
    ("le", "REAL"), ("Ve", "REAL"), ("Amin", "REAL"), ("AN", "REAL"),
    ("LN", "REAL"), ("Rth", "REAL"), ("Ar", "REAL"), ("K1", "REAL"),
    ("K2", "REAL"), ("CDF", "REAL"), ("hWickel", "REAL"),
]
DRAHT_FIELDS = [("Groesse", "REAL"), ("AWG", "INTEGER"), ("N_pro_mm2", "REAL"),
                ("fCu", "REAL")]


def value_text(v, typ):
    if typ == "TEXT":
        return "'" + str(v).replace("'", "''") + "'"
    if isinstance(v, bool):
        return flag(v)
    if typ == "INTEGER":
        return str(int(round(v)))
    return num(float(v), 5)


# abscissas that only take whole values are stored as integers
INTEGER_COLUMNS = {("MuiT", "T"), ("hbT", "T"), ("MuaB", "B"), ("MuaH", "H"),
                   ("PvT", "T"), ("PvT", "F"), ("PvT", "B"),
                   ("PVEXPO", "F"), ("PVEXPO", "T")}


def sql_table(name, fields, rows_text, types=None):
    out = []
    if types is None:
        types = ["INTEGER" if (name, f) in INTEGER_COLUMNS else "REAL" for f in fields]
    cols = ", ".join(f"{f} {types[i]}" for i, f in enumerate(fields))
    out.append(f"CREATE TABLE {name} ({cols});")
    for r in rows_text:
        out.append(f"INSERT INTO {name} VALUES ({', '.join(r)});")
    return out


def build_sql():
    mats, tables = build_tables()
    cores = build_cores()
    wires = build_wires()
    lines = [
        "-- Tolvik sample material and core database.",
        "-- Generated by data/generate_db.py; do not edit by hand.",
        "-- Synthetic data built from physical models of MnZn ferrites.",
        "BEGIN TRANSACTION;",
    ]

    def record_table(name, field_types, recs):
        f = [n for n, _ in field_types]
        t = [ty for _, ty in field_types]
        rows = [[value_text(r[n], ty) for n, ty in field_types] for r in recs]
        return sql_table(name, f, rows, t)

    lines += record_table("Material", MATERIAL_FIELDS, mats)
    lines += record_table("Kernform", KERN_FIELDS, cores)
    for name, fields, rows in tables:
        lines += sql_table(name, fields, rows)
    lines += record_table("Draht", DRAHT_FIELDS, wires)
    lines.append("COMMIT;")
    return "\n".join(lines) + "\n", mats, cores, wires


# ---------------------------------------------------------------------------
# Calibration report (uses the program's own constants and formulas)

def langevin(x):
    return 1 / math.tanh(x) - 1 / x


def langevin_slope(x):
    if x > 40:
        return 1.0
    return 3 * (1 / x**2 - 1 / math.sinh(x) ** 2)


def check(mats, cores, wires):
    byname = {m["name"]: m for m in mats}
    core = {c["Kerntyp"]: c for c in cores if not c["LP"] and not c["Loch"]}
    print("core            Ae      le      Ve    Amin     AN     LN    Rth     Ar      K1      K2     CDF")
    for c in cores:
        print(f"{c['Kerntyp']:12s}{'L' if c['LP'] else ' '}{'H' if c['Loch'] else ' '} "
              f"{c['Ae']:7.1f} {c['le']:7.1f} {c['Ve']:7.0f} {c['Amin']:6.1f} {c['AN']:6.1f} "
              f"{c['LN']:6.1f} {c['Rth']:6.1f} {c['Ar']:6.1f} {c['K1']:7.1f} {c['K2']:7.3f} {c['CDF']:7.4f}")
    # transmissible power, push-pull, 25 kHz defaults
    for cn in ("ETD 29", "ETD 34", "ETD 44", "E 42/21/15"):
        c = core[cn]
        for mn in ("R41", "R52"):
            m = byname[mn]
            dTFe = dTCu = m["dT"] / 2
            for fw in (25, 100):
                dB = 2 * m["B"] * ((m["f"] / fw) ** 1.3 * dTFe / (c["Rth"] * m["Pv"] * c["Ve"] / 1e6 * 0.8)) ** (1 / 2.7)
                dB = min(m["Bs25"], dB)
                J = math.sqrt(dTCu * 10 / (0.4 * 2.1e-8 * c["AN"] * c["LN"] * c["Rth"])) / 100
                P = 1 / 1e6 * dB * fw * c["Ae"] * c["AN"] * 0.4 * J
                print(f"Ptrans {cn} {mn} fw={fw}: dB={dB:.0f} mT J={J:.1f} P={P:.0f} W")
    # DC bias design, L = 1 mH, I = 1 A, d = 10 %
    for cn in ("ETD 34", "E 32/16/9", "RM 10"):
        c = core[cn]
        m = byname["R41"]
        Bt, df, V, LH, mui = m["Bs25"] / 1000, 0.1, c["Ve"] * 1e-9, 1e-3, 2000
        mua0 = mui_at(MATERIALS[1], 25)
        best = None
        prev = 0.0
        x = 0.1
        while x <= 10:
            R = langevin_slope(x)
            t = (1 - df - R) / (df * mui * R)
            Pp = ((t + 1 / mua0) * langevin(x) * Bt / 1.256e-6) ** 2
            Q = (t + 1 / (R * mui)) * 1 * (1 - df) * LH / (V * 1.256e-6)
            fx = Pp - Q
            if best is None or prev == 0 or abs(fx) < abs(best[1]):
                best = (x, fx)
            prev = fx
            x += 0.001
        x = best[0]
        R = langevin_slope(x)
        t = (1 - df - R) / (df * mui * R)
        mue = 1 / (1 / mui + t)
        s = (1 / mue - 1 / mui) * c["le"]
        Al = c["Ae"] / c["le"] * 1e-3 * mue * 1.256e-6 / 1e-9
        print(f"DC bias {cn}: x={x:.3f} mue={mue:.0f} s={s:.2f} mm Al={Al:.0f} nH N={math.sqrt(1 / Al) * 1000:.0f}")
    # harmonic distortion, RM 6 / S22, 1 V, 1 kHz, 600 ohm, L1 = 10 mH, R = 10 ohm
    for cn in ("RM 6", "RM 10", "T 25/15/10", "P 18/11"):
        c = [k for k in cores if k["Kerntyp"] == cn][0]
        m = byname["S22"]
        L = 10.0
        P = (0.6 / (1e7 * 1.256e-6)) * m["hb"] * (1 / (1 * 6.28)) * L
        Q = ((1 / 10 + 1 / 10) * 17.2 / 0.5) ** 1.5
        E = Q * P * c["CDF"] * 0.01
        Z = 1 / 600 + 1 / 600
        G = (1 * 18.84 * L * Z) ** 2
        k3 = E / math.sqrt(G + 1)
        print(f"k3c {cn} S22: {20 * math.log10(k3):.0f} dB")
    # K-factor vs gapped relation
    for cn in ("E 20/10/6", "E 32/16/9", "E 42/21/15", "E 65/32/27"):
        c = core[cn]
        for s in (0.1, 0.5, 1.0, 2.0, 3.5):
            Alk = c["K1"] * s ** c["K2"]
            mue = 1 / (1 / K_FIT_MUI + (1 - 1 / K_FIT_MUI) * s / c["le"])
            Alg = mue * 1.256e-6 * c["Ae"] / 1e6 / (c["le"] / 1000) * 1e9
            print(f"Al {cn} s={s}: K-factor {Alk:.0f} nH, gapped {Alg:.0f} nH, ratio {Alk / Alg:.2f}")
    for m in mats:
        print(f"{m['name']}: af={m['af']:.2f}e-6/K tand/mui(fmax)={m['tandmuei']:.1f}e-6 Pv={m['Pv']}")


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    text, mats, cores, wires = build_sql()
    with open(os.path.join(here, "db1.sql"), "w", encoding="utf-8", newline="\n") as f:
        f.write(text)
    if "--check" in sys.argv:
        check(mats, cores, wires)


if __name__ == "__main__":
    main()
