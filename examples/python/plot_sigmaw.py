"""SIGMAW over the height for two silos, with Korvane's engine.

Run it as a script or paste it into a notebook cell by cell. The parameter
files are the examples of the program folder (or the data folder made at the
first start); give others as arguments. Without matplotlib the script prints
the largest wall normal stress of each silo instead of drawing.
"""
import os
import sys

import korvane

EXAMPLES = next((d for d in (os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "Par"),
                             os.path.expanduser("~/Documents/Korvane/Par"),
                             "/usr/lib/korvane/Par") if os.path.isdir(d)), ".")
files = sys.argv[1:3] or [os.path.join(EXAMPLES, "Standardsilo.par"),
                          os.path.join(EXAMPLES, "Massenfluss_Kreissilo.par")]

# Load and calculate each silo as korvane-calc does.
results = {os.path.basename(f): korvane.load(f).calculate() for f in files}

for name, r in results.items():
    i = r.SIGMAW.argmax()
    print(f"{name}: {r.Fuellmenge / 1000:.1f} t, SIGMAW max {r.SIGMAW[i] / 1000:.1f} kPa "
          f"at z = {r.z[i]:.2f} m, mass flow: {'yes' if r.Massenfluss else 'no'}")

try:
    import matplotlib.pyplot as plt
except ImportError:
    sys.exit(0)

fig, ax = plt.subplots(figsize=(6, 7))
for name, r in results.items():
    ax.plot(r.SIGMAW / 1000, r.z, label=name)
ax.set_xlabel("SIGMAW [kPa]")
ax.set_ylabel("z above the outlet [m]")
ax.set_title("Wall normal stress")
ax.grid(True)
ax.legend()
if os.environ.get("MPLBACKEND", "").lower() == "agg" or not os.environ.get("DISPLAY"):
    fig.savefig("sigmaw.png", dpi=120)
    print("written: sigmaw.png")
else:
    plt.show()
