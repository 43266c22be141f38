"""tools/include-graph.py finds what breaks the layers: upward edges and cycles."""
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

TOOL = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools", "include-graph.py")


def tree(files):
    root = tempfile.mkdtemp(prefix="include-graph-")
    for name, text in files.items():
        path = os.path.join(root, name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "w", encoding="utf-8") as f:
            f.write(text)
    return root


ORDER = "| 1 | `low/` | x |\n| 2 | `high/` | x |\n"


def run(files):
    root = tree(dict(files, **{"docs/ARCHITECTURE.md": ORDER}))
    try:
        return subprocess.run([sys.executable, TOOL, "--root", root], capture_output=True, text=True)
    finally:
        shutil.rmtree(root)


class IncludeGraphTest(unittest.TestCase):
    def test_a_downward_tree_passes(self):
        out = run({"high/A.cpp": '#include "low/B.h"\n', "low/B.h": "", "low/core/C.h": "",
                   "low/B.cpp": '#include "low/core/C.h"\n'})
        self.assertEqual(out.returncode, 0, out.stdout)
        self.assertIn("no upward edge, no cycle", out.stdout)

    def test_upward_includes_and_cycles_fail(self):
        cases = [
            ({"low/B.cpp": '#include "high/A.h"\n', "high/A.h": ""}, "upward edge: low -> high"),
            ({"low/core/C.cpp": '#include "low/B.h"\n', "low/B.h": ""},
             "upward edge: low/core -> low"),
            ({"low/A.cpp": '#include "low/B.h"\n', "low/A.h": "", "low/B.cpp": '#include "low/A.h"\n',
              "low/B.h": ""}, "file cycle: low/A <-> low/B"),
        ]
        for files, fault in cases:
            out = run(files)
            self.assertEqual(out.returncode, 1, fault)
            self.assertIn(fault, out.stdout)

if __name__ == "__main__":
    unittest.main()
