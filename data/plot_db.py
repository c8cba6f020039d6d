#!/usr/bin/env python3
"""Draws overview plots of the sample database into data/plots/ (needs
matplotlib; reads the built db1.mdb given as argument)."""
import os
import sqlite3
import sys

import matplotlib
matplotlib.use("Agg")
import matplotlib.pyplot as plt

here = os.path.dirname(os.path.abspath(__file__))
db = sqlite3.connect(sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "build-db", "bin", "db1.mdb"))
out = os.path.join(here, "plots")
os.makedirs(out, exist_ok=True)


def table(name):
    cur = db.execute(f"SELECT * FROM {name}")
    cols = [d[0] for d in cur.description]
    return cols, cur.fetchall()


def curve(rows, xi, yi):
    xs, ys = [], []
    for r in rows:
        if r[yi] == 0:
            break
        xs.append(r[xi]); ys.append(r[yi])
    return xs, ys


def save(fig, name):
    fig.tight_layout()
    fig.savefig(os.path.join(out, name), dpi=70)
    plt.close(fig)


cols, rows = table("MuiT")
fig, ax = plt.subplots(figsize=(7, 4.5))
for i, c in enumerate(cols[1:], 1):
    ax.plot(*curve(rows, 0, i), label=c)
ax.set_yscale("log"); ax.set_xlabel("T [°C]"); ax.set_ylabel("µi"); ax.legend(fontsize=7); ax.grid(True, alpha=.3)
save(fig, "mui_T.png")

fig, axs = plt.subplots(1, 2, figsize=(10, 4))
for tname, ax in zip(("MuaB", "MuaH"), axs):
    cols, rows = table(tname)
    for i, c in enumerate(cols[1:], 1):
        ax.plot(*curve(rows[1:], 0, i), label=c, ls="-" if "T25" in c else "--")
    ax.set_xlabel(cols[0]); ax.set_ylabel("µa"); ax.grid(True, alpha=.3)
    if tname == "MuaH":
        ax.set_xscale("log")
axs[0].legend(fontsize=6, ncol=2)
save(fig, "mua.png")

cols, rows = table("Mu_mu__f")
fig, ax = plt.subplots(figsize=(7, 4.5))
for i, c in enumerate(cols[1:], 1):
    if c.startswith("mu__"):
        ax.plot(*curve(rows, 0, i), ls="--", label=c)
    else:
        ax.plot(*curve(rows, 0, i), label=c)
ax.set_xscale("log"); ax.set_yscale("log"); ax.set_xlabel("f [kHz]"); ax.set_ylim(1, 3e4)
ax.legend(fontsize=5, ncol=3); ax.grid(True, alpha=.3)
save(fig, "complex_mu.png")

cols, rows = table("Hysterese")
fig, axs = plt.subplots(1, 2, figsize=(10, 4))
for i in range(0, len(cols), 2):
    pts = [(r[i], r[i + 1]) for r in rows]
    n = next(k for k, p in enumerate(pts) if p == (0, 0))
    for ax, lim in zip(axs, (1200, 60)):
        ax.plot([p[0] for p in pts[:n]], [p[1] for p in pts[:n]], label=cols[i][1:], lw=0.8)
        ax.set_xlim(-lim, lim)
for ax in axs:
    ax.set_xlabel("H [A/m]"); ax.set_ylabel("B [mT]"); ax.grid(True, alpha=.3)
axs[1].legend(fontsize=5, ncol=2)
save(fig, "hysteresis.png")

cols, rows = table("PvT")
fig, axs = plt.subplots(1, 3, figsize=(13, 4))
mi = cols.index("R41")
for (F, B) in ((25, 200), (100, 100), (100, 200), (200, 100)):
    pts = [(r[0], r[mi]) for r in rows if r[1] == F and r[2] == B and r[mi] > 0]
    axs[0].plot(*zip(*pts), marker="o", label=f"R41 F{F} B{B}")
for m in ("R25", "R41", "R52", "R63", "R78"):
    k = cols.index(m)
    pts = [(r[1], r[k]) for r in rows if r[0] == 100 and r[2] == 100 and r[k] > 0]
    if pts:
        axs[1].plot(*zip(*pts), marker="o", label=f"{m} B100 T100")
    pts = [(r[1], r[k]) for r in rows if r[0] == 100 and r[2] == 50 and r[k] > 0]
    if pts and m == "R78":
        axs[1].plot(*zip(*pts), marker="s", label=f"{m} B50 T100")
for F in (25, 100, 200, 500):
    pts = [(r[2], r[mi if F < 500 else cols.index("R78")]) for r in rows
           if r[0] == 100 and r[1] == F and r[mi if F < 500 else cols.index("R78")] > 0]
    axs[2].plot(*zip(*pts), marker="o", label=f"{'R41' if F < 500 else 'R78'} F{F} T100")
axs[0].set_xlabel("T [°C]"); axs[1].set_xlabel("f [kHz]"); axs[2].set_xlabel("B [mT]")
for ax in axs:
    ax.set_yscale("log"); ax.set_ylabel("Pv [kW/m³]"); ax.legend(fontsize=6); ax.grid(True, alpha=.3)
axs[1].set_xscale("log"); axs[2].set_xscale("log")
save(fig, "power_loss.png")
