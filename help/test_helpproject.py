#!/usr/bin/env python3
"""Tests the reading of the program's help references (helpproject.py) and
the build's check (make_help.py) on small source trees of their own: each
form of pop-up table is read, a form the patterns cannot read fails, and the
check fails when the program asks for a page or a number the help lacks.

    test_helpproject.py SOURCE_DIR      (the real tree: its help folder is copied)
"""

import os
import shutil
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import helpproject  # noqa: E402
import make_help  # noqa: E402

SOURCE_DIR = None

TABLES = r'''
// {IDC_IN_A_COMMENT, 1999} is not a table
const std::vector<HelpTopic> kSheet = {{IDOK, 1000}, {IDCANCEL, 1001}};
const std::vector<HelpTopic>& TaskTopics() {
    static const std::vector<HelpTopic> topics = {
        {IDC_TASK_TEXT, 1301}, {IDC_TASK_DUE_DATE, 1300},
    };
    return topics;
}
std::vector<HelpTopic> AddressTopics(DWORD first) {
    return {{IDC_A, first}, {IDC_A_LABEL, first}, {IDC_B, first + 1}, {IDC_C, first + 4}};
}
class Page {
    virtual std::vector<HelpTopic> Topics() const = 0;
    Page(const EditorHelp& help, std::vector<HelpTopic> topics) : fields_{{IDC_X, &text}} {}
    std::vector<HelpTopic> topics_;
};
void Build() { Make(AddressTopics(1207)); Make(AddressTopics(1105)); }
const char kTopic[] = "::/html/calendar.htm>topic";
'''

RAW_ARRAY = r'''
void Chooser::Help(const HELPINFO& request) {
    static const DWORD kIds[] = {IDC_LIST, 1600, IDOK, 1000, 1047, 1002, 0, 0};
    library->Show(window, file.c_str(), kHelpPopupForRequest, reinterpret_cast<DWORD_PTR>(kIds));
    const std::string topic = directory + "\\" + name + "::/html/dlgpraddr.htm>topic";
}
'''


def tree(files):
    root = tempfile.mkdtemp()
    for path, text in files.items():
        os.makedirs(os.path.join(root, os.path.dirname(path)), exist_ok=True)
        with open(os.path.join(root, path), "w") as f:
            f.write(text)
    return root


class ProgramReferences(unittest.TestCase):
    def tearDown(self):
        shutil.rmtree(self.root, ignore_errors=True)

    def test_every_table_form_is_read(self):
        self.root = tree({"editors/Tables.cpp": TABLES, "reports/Chooser.cpp": RAW_ARRAY,
                          "tests/editors/Ignored.cpp": "const char k[] = \"tests.htm\";"})
        pages, windows, popups = helpproject.program_references(self.root)
        self.assertEqual({"calendar.htm", "dlgpraddr.htm"}, set(pages))
        self.assertEqual({"topic"}, set(windows))
        self.assertEqual({1000, 1001, 1002, 1105, 1106, 1109, 1207, 1208, 1211, 1300, 1301, 1600},
                         set(popups))
        self.assertIn("reports/Chooser.cpp:3", popups[1600])

    def test_a_pair_without_a_literal_number_fails(self):
        self.root = tree({"editors/Bad.cpp":
                          "const std::vector<HelpTopic> k = {{IDOK, kOkTopic}};\n"})
        with self.assertRaisesRegex(helpproject.CheckError, r"editors/Bad.cpp:1: .*kOkTopic"):
            helpproject.program_references(self.root)

    def test_a_generated_table_called_without_a_number_fails(self):
        self.root = tree({"editors/Bad.cpp": TABLES.replace("AddressTopics(1105)",
                                                            "AddressTopics(kUserFirst)")})
        with self.assertRaisesRegex(helpproject.CheckError, "kUserFirst"):
            helpproject.program_references(self.root)

    def test_pop_ups_shown_without_a_readable_table_fail(self):
        self.root = tree({"reports/Chooser.cpp":
                          "void F() { Show(w, f, kHelpPopupForRequest, Ids()); }\n"})
        with self.assertRaisesRegex(helpproject.CheckError, "no pop-up table"):
            helpproject.program_references(self.root)


class Check(unittest.TestCase):
    """make_help.check on the real help folder beside made-up sources."""

    def setUp(self):
        self.root = tree({"editors/Tables.cpp": TABLES, "reports/Chooser.cpp": RAW_ARRAY})
        shutil.copytree(os.path.join(SOURCE_DIR, "help"), os.path.join(self.root, "help"))

    def tearDown(self):
        shutil.rmtree(self.root, ignore_errors=True)

    def check(self):
        return make_help.check(self.root, os.path.join(self.root, "help"))

    def test_the_help_has_everything_these_sources_ask_for(self):
        self.assertEqual([], self.check())

    def test_a_number_without_a_text_fails(self):
        path = os.path.join(self.root, "reports/Chooser.cpp")
        with open(path) as f:
            text = f.read()
        with open(path, "w") as f:
            f.write(text.replace("1047, 1002", "1047, 1003, 1048, 1777"))
        self.assertEqual(["reports/Chooser.cpp:3: the program asks for pop-up 1777, "
                          "which cshelp.h lacks"], self.check())

    def test_a_missing_page_and_window_type_fail(self):
        path = os.path.join(self.root, "editors/Tables.cpp")
        with open(path, "a") as f:
            f.write('const char kOther[] = "::/html/nowhere.htm>popup";\n')
        problems = self.check()
        self.assertEqual(2, len(problems), problems)
        self.assertIn("html/nowhere.htm", problems[0])
        self.assertIn("'popup'", problems[1])

    def test_a_broken_link_in_a_page_fails(self):
        path = os.path.join(self.root, "help/html/user.htm")
        with open(path, "a") as f:
            f.write('<a href="missing.htm">x</a>\n')
        self.assertEqual(["html/user.htm links to missing.htm, which is not in the help"],
                         self.check())


if __name__ == "__main__":
    SOURCE_DIR = sys.argv.pop(1)
    unittest.main(verbosity=1)
