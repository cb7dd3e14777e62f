#!/usr/bin/env python3
"""The layering check refuses what it must and lets the rest through."""
import pathlib
import tempfile
import unittest

import check_layers

LAYERS = check_layers.ROOT / "tools" / "layers.txt"


class CheckLayersTest(unittest.TestCase):
    def tree(self, files):
        d = tempfile.TemporaryDirectory()
        self.addCleanup(d.cleanup)
        root = pathlib.Path(d.name)
        for name, text in files.items():
            (root / name).parent.mkdir(parents=True, exist_ok=True)
            (root / name).write_text(text)
        return root

    def test_the_source_tree_keeps_its_layers(self):
        self.assertEqual(check_layers.check(check_layers.ROOT / "src", LAYERS), [])

    def test_a_dialog_including_the_main_window_is_named_by_file_and_line(self):
        root = self.tree({
            "dialogs/a.cpp": '#include "model/job.h"\n#include "mainwindow/mersol_window.h"\n',
            "mainwindow/mersol_window.h": "",
            "model/job.h": "",
        })
        self.assertEqual(check_layers.check(root, LAYERS),
                         ["src/dialogs/a.cpp:2: includes mainwindow/mersol_window.h, a layer above dialogs/"])

    def test_the_model_may_not_reach_the_engine(self):
        root = self.tree({"model/job.cpp": '#include "engine/hydraulics.h"\n', "engine/hydraulics.h": ""})
        self.assertEqual(len(check_layers.check(root, LAYERS)), 1)

    def test_folders_of_one_layer_may_not_include_each_other_both_ways(self):
        root = self.tree({
            "dialogs/a.cpp": '#include "reports/b.h"\n',
            "reports/b.cpp": '#include "dialogs/a.h"\n',
        })
        self.assertEqual(check_layers.check(root, LAYERS), ["src/dialogs/ and src/reports/ include each other"])

    def test_a_folder_without_a_layer_is_reported(self):
        root = self.tree({"widgets/w.cpp": ""})
        self.assertIn("has no layer", check_layers.check(root, LAYERS)[0])


if __name__ == "__main__":
    unittest.main()
