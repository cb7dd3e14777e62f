#!/usr/bin/env python3
"""Writes data/pipes.sql and data/minorloss.sql from the published dimension
and loss-coefficient tables below. The SQL is committed; run this again only
after changing a table here:

    python3 tools/gen_reference.py

Sources and the arithmetic are described in data/README.md.
"""
import math
import os

HERE = os.path.dirname(os.path.abspath(__file__))
DATA = os.path.join(HERE, "..", "data")

# ---------------------------------------------------------------------------
# Materials: name, Hazen-Williams C, Manning n, absolute roughness e (ft),
# modulus of elasticity (psi), density (lb/cu in), cost per pound ($),
# largest recommended velocity (ft/s; plastics only).
# PType is the position in this list, from 1.
# ---------------------------------------------------------------------------
MATERIALS = [
    ("PVC SDR",         150, 0.009, 0.000005,   400000, 0.0506, 1.10, 5.0),
    ("PVC PIP SDR",     150, 0.009, 0.000005,   400000, 0.0506, 1.00, 5.0),
    ("PVC Sch",         150, 0.009, 0.000005,   400000, 0.0506, 1.20, 5.0),
    ("Steel Sch",       120, 0.012, 0.00015,  30000000, 0.2836, 0.85, 0.0),
    ("Aluminum WallTh", 130, 0.011, 0.000005, 10000000, 0.0975, 2.50, 0.0),
    ("PE SDR (SIDR)",   140, 0.009, 0.000005,   110000, 0.0345, 1.40, 5.0),
]
PTYPE = {m[0]: i + 1 for i, m in enumerate(MATERIALS)}
MAT = {m[0]: m for m in MATERIALS}

# Iron pipe sizes: nominal size (in), its text, outside diameter (in),
# schedule 40 wall (in) -- ASME B36.10M; the same in ASTM D1785.
IPS = [
    (0.5,  "1/2",    0.840, 0.109),
    (0.75, "3/4",    1.050, 0.113),
    (1,    "1",      1.315, 0.133),
    (1.25, "1-1/4",  1.660, 0.140),
    (1.5,  "1-1/2",  1.900, 0.145),
    (2,    "2",      2.375, 0.154),
    (2.5,  "2-1/2",  2.875, 0.203),
    (3,    "3",      3.500, 0.216),
    (3.5,  "3-1/2",  4.000, 0.226),
    (4,    "4",      4.500, 0.237),
    (5,    "5",      5.563, 0.258),
    (6,    "6",      6.625, 0.280),
    (8,    "8",      8.625, 0.322),
    (10,   "10",    10.750, 0.365),
    (12,   "12",    12.750, 0.406),
    (14,   "14",    14.000, 0.438),
    (16,   "16",    16.000, 0.500),
    (18,   "18",    18.000, 0.562),
    (20,   "20",    20.000, 0.594),
    (24,   "24",    24.000, 0.688),
]

# ASTM D2241 pressure classes of PVC 1120 (SDR: psi), and the smallest size
# each class is made in here (below it the 0.060 in minimum wall governs).
SDR_CLASSES = [(21, 200, 0.75), (26, 160, 1), (32.5, 125, 1.5), (41, 100, 2)]

# PVC irrigation pipe (PIP): nominal size, text, outside diameter (in);
# classes 80 psi (SDR 51) and 100 psi (SDR 41).
PIP = [
    (6,  "6",   6.140),
    (8,  "8",   8.160),
    (10, "10", 10.200),
    (12, "12", 12.240),
    (15, "15", 15.300),
    (18, "18", 18.701),
    (21, "21", 22.047),
    (24, "24", 24.803),
]
PIP_CLASSES = [(51, 80), (41, 100)]

# Polyethylene, inside-diameter controlled (ASTM D2239): the inside diameters
# are those of schedule 40 steel pipe. SIDR: psi for PE 3408.
PE_SIZES = [s for s in IPS if s[0] in (0.5, 0.75, 1, 1.25, 1.5, 2, 2.5, 3, 4, 6)]
PE_CLASSES = [(15, 100), (11.5, 125), (9, 160), (7, 200)]

# Aluminum gated pipe: outside diameter equals the nominal size; walls (in).
ALUMINUM = [(6, 0.050), (6, 0.058), (8, 0.058), (8, 0.064),
            (10, 0.064), (10, 0.072), (12, 0.072), (12, 0.080)]

PVC_HDS = 2000.0          # psi, hydrostatic design stress of PVC 1120
STEEL_ALLOWABLE = 17500.0 # psi, half the 35,000 psi yield of ASTM A53 grade B
ALUMINUM_WORKING = 6000.0 # psi, working hoop stress for 6063-T6 tubing
MIN_WALL = 0.060          # in, least wall of D2241 and D2239 pipe


def weight_per_ft(od, idia, density):
    """lb/ft of a tube: ring area (sq in) x 12 in x density (lb/cu in)."""
    return (math.pi * od * od * 0.25 - math.pi * idia * idia * 0.25) * 12.0 * density


def num(v):
    return ("%.6f" % v).rstrip("0").rstrip(".")


def sql_text(s):
    return "'" + s.replace("'", "''") + "'"


rows = []


def pipe(material, nominal, text, idia, wall, psi, rating_text, rating, comment):
    """One pipe row; the description names the class, the size and the rating."""
    density = MAT[material][5]
    idia = round(idia, 3)
    wall = round(wall, 3)
    rows.append((
        int(nominal * 100),              # PSize: nominal x 100, truncated
        material,
        "%s, %s in, %d psi" % (rating_text, text, psi),
        idia,
        PTYPE[material],
        psi,
        nominal,
        rating,
        wall,
        MAT[material][2],
        comment,
        round(weight_per_ft(idia + 2 * wall, idia, density), 3),
        MAT[material][4],
    ))


for sdr, psi, smallest in SDR_CLASSES:
    for nominal, text, od, _ in IPS:
        if nominal < smallest or nominal == 3.5:
            continue
        wall = round(max(od / sdr, MIN_WALL), 3)
        pipe("PVC SDR", nominal, text, od - 2 * wall, wall, psi, "PVC SDR %s" % num(sdr), sdr,
             "ASTM D2241 PVC 1120, OD %.3f in" % od)

for sdr, psi in PIP_CLASSES:
    for nominal, text, od in PIP:
        wall = round(od / sdr, 3)
        pipe("PVC PIP SDR", nominal, text, od - 2 * wall, wall, psi, "PVC PIP SDR %s" % num(sdr),
             sdr, "PVC irrigation pipe (PIP), ASTM D2241 annex, OD %.3f in" % od)

for nominal, text, od, wall in IPS:
    psi = int(round(2 * PVC_HDS * wall / (od - wall) / 10.0)) * 10
    pipe("PVC Sch", nominal, text, od - 2 * wall, wall, psi, "PVC Sch 40", 40,
         "ASTM D1785 schedule 40 PVC 1120, OD %.3f in" % od)

for nominal, text, od, wall in IPS:
    psi = int(2 * STEEL_ALLOWABLE * wall / od)
    pipe("Steel Sch", nominal, text, od - 2 * wall, wall, psi, "Steel Sch 40", 40,
         "ASME B36.10M schedule 40, OD %.3f in" % od)

for nominal, wall in ALUMINUM:
    psi = int(2 * ALUMINUM_WORKING * wall / nominal)
    pipe("Aluminum WallTh", nominal, "%d" % nominal, nominal - 2 * wall, wall, psi,
         "Aluminum %.3f wall" % wall, wall, "Aluminum gated pipe, OD %.3f in" % nominal)

for sidr, psi in PE_CLASSES:
    for nominal, text, od, sch40wall in PE_SIZES:
        idia = round(od - 2 * sch40wall, 3)
        wall = max(idia / sidr, MIN_WALL)
        pipe("PE SDR (SIDR)", nominal, text, idia, wall, psi, "PE SIDR %s" % num(sidr), sidr,
             "ASTM D2239 PE 3408, ID %.3f in" % idia)

COLUMNS = ['"PSize"', '"Pipe Type"', '"Pipe Description"', '"ID (in)"', '"PType"',
           '"Press Rtng (psi)"', '"NomDiam"', '"Rating"', '"Wall Thick (in)"', '"Nfac"',
           '"Comment"', '"Marked"', '"WtPerFt"', '"Modulus"']

with open(os.path.join(DATA, "pipes.sql"), "w") as f:
    f.write("-- Pipe materials and pipe sizes. Written by tools/gen_reference.py;\n")
    f.write("-- edit the tables there, not this file. Sources: data/README.md.\n\n")
    f.write('INSERT INTO "Pipe Material.DB" ("PipeType", "Cfactor", "Nfactor", "Efactor",'
            ' "EModulus", "WtPerCuIn", "CostPerPound", "MaxVel", "PType") VALUES\n')
    f.write(",\n".join("  (%s, %s, %s, %s, %s, %s, %s, %s, %d)" % (
        sql_text(m[0]), num(m[1]), num(m[2]), num(m[3]), num(m[4]), num(m[5]),
        num(m[6]), num(m[7]), PTYPE[m[0]]) for m in MATERIALS))
    f.write(";\n\n")
    f.write('INSERT INTO "PipeType.DB" (%s) VALUES\n' % ", ".join(COLUMNS))
    f.write(",\n".join("  (%d, %s, %s, %s, %d, %d, %s, %s, %s, %s, %s, 0, %s, %s)" % (
        r[0], sql_text(r[1]), sql_text(r[2]), num(r[3]), r[4], r[5], num(r[6]), num(r[7]),
        num(r[8]), num(r[9]), sql_text(r[10]), num(r[11]), num(r[12])) for r in rows))
    f.write(";\n")

# ---------------------------------------------------------------------------
# Minor losses. K = multiplier x fT for fittings and valves, fT the friction
# factor of clean commercial steel pipe in full turbulence for the diameter
# class; entrance and size-change items have one K for every class.
# ---------------------------------------------------------------------------
CLASSES = [2, 3, 4, 5, 6, 7, 8, 10, 12]
FT = {2: 0.019, 3: 0.018, 4: 0.017, 5: 0.016, 6: 0.015, 7: 0.0145, 8: 0.014, 10: 0.014, 12: 0.013}


def by_ft(mult):
    if isinstance(mult, dict):
        return [mult[c] * FT[c] for c in CLASSES]
    return [mult * FT[c] for c in CLASSES]


def same(k):
    return [k] * len(CLASSES)


BUTTERFLY = {2: 45, 3: 45, 4: 45, 5: 45, 6: 45, 7: 45, 8: 45, 10: 35, 12: 35}
BETA2 = 0.25  # (d/D)^2 for a change to half the diameter
S45 = math.sin(math.radians(22.5))

LOSSES = [
    ("Elbow, 90 deg standard",             by_ft(30),  "LineFitting"),
    ("Elbow, 90 deg long radius",          by_ft(14),  "LineFitting"),
    ("Elbow, 45 deg standard",             by_ft(16),  "LineFitting"),
    ("Bend, 90 deg (r/d = 1)",             by_ft(20),  "LineFitting"),
    ("Return bend, 180 deg",               by_ft(50),  "LineFitting"),
    ("Tee, flow through run",              by_ft(20),  "LineFitting"),
    ("Tee, flow through branch",           by_ft(60),  "LineFitting"),
    ("Gate valve, fully open",             by_ft(8),   "LineValve"),
    ("Ball valve, fully open",             by_ft(3),   "LineValve"),
    ("Plug valve, straightway",            by_ft(18),  "LineValve"),
    ("Butterfly valve, fully open",        by_ft(BUTTERFLY), "LineValve"),
    ("Globe valve, fully open",            by_ft(340), "LineValve"),
    ("Check valve, swing",                 by_ft(100), "LineValve"),
    ("Check valve, lift",                  by_ft(600), "LineValve"),
    ("Outlet valve, angle pattern",        by_ft(150), "OutletValve"),
    ("Outlet valve, globe pattern",        by_ft(340), "OutletValve"),
    ("Pipe exit to open water",            same(1.0),  "OutletValve"),
    ("Foot valve and strainer, hinged disc", by_ft(75),  "EntranceValve"),
    ("Foot valve and strainer, poppet disc", by_ft(420), "EntranceValve"),
    ("Entrance gate valve, fully open",    by_ft(8),   "EntranceValve"),
    ("Entrance, inward projecting",        same(0.78), "EntranceLoss"),
    ("Entrance, square edged (headwall)",  same(0.5),  "EntranceLoss"),
    ("Entrance, slightly rounded",         same(0.24), "EntranceLoss"),
    ("Entrance, well rounded",             same(0.04), "EntranceLoss"),
    # Size changes to or from half the diameter, K on the smaller pipe.
    ("Contraction, Sudden",                same(0.5 * (1 - BETA2)), "Contrac_Enlarge"),
    ("Contraction, Gradual 45 degree",     same(0.8 * S45 * (1 - BETA2)), "Contrac_Enlarge"),
    ("Enlargement, Sudden",                same((1 - BETA2) ** 2), "Contrac_Enlarge"),
    ("Enlargement, Gradual 45 degree",     same(2.6 * S45 * (1 - BETA2) ** 2), "Contrac_Enlarge"),
    ("Special (enter K)",                  same(0.0),  "Special"),
]

with open(os.path.join(DATA, "minorloss.sql"), "w") as f:
    f.write("-- Minor-loss items. Written by tools/gen_reference.py; edit the list\n")
    f.write("-- there, not this file. Sources: data/README.md.\n\n")
    f.write('INSERT INTO "MinorLoss.DB" ("Loss Item Description", "K2", "K3", "K4", "K5",'
            ' "K6", "K7", "K8", "K10", "K12", "KFlag") VALUES\n')
    f.write(",\n".join("  (%s, %s, %s)" % (
        sql_text(d), ", ".join("%.3f" % k for k in ks), sql_text(flag)) for d, ks, flag in LOSSES))
    f.write(";\n")
