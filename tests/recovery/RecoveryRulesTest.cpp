// The recovery copies' rules: when a copy is due, how the files of the
// recovery folder are told apart, and the note beside a copy. (The order of
// leftovers is seen in the start-up question's test.)
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RecoveryRules.h"

namespace {

const int64_t kMinute = 60 * 1000;

// One step of a run: at `time`, what happened, and whether a copy is due then.
enum class Event { kChange, kCopied, kClean, kNothing };
struct Step { int64_t time; Event event; bool dialogOpen; bool due; };  // due: asked after the event

TEST(RecoverySchedule, FirstChangeThenEveryTwoMinutesWhileChangesGoOnAndNeverUnderADialog) {
    const std::vector<std::vector<Step>> runs = {
        // Two minutes after the first change, not after the last one.
        {{0, Event::kChange, false, false}, {90 * 1000, Event::kChange, false, false},
         {2 * kMinute - 1, Event::kNothing, false, false}, {2 * kMinute, Event::kNothing, false, true},
         {2 * kMinute, Event::kNothing, true, false}},
        // After a copy: nothing due without a new change; with one, two
        // minutes after the copy.
        {{0, Event::kChange, false, false}, {2 * kMinute, Event::kCopied, false, false},
         {5 * kMinute, Event::kNothing, false, false}, {5 * kMinute, Event::kChange, false, true},
         {5 * kMinute, Event::kCopied, false, false}, {6 * kMinute, Event::kChange, false, false},
         {7 * kMinute, Event::kNothing, false, true}},
        // Saved or discarded: the clock starts again at the next change.
        {{0, Event::kChange, false, false}, {2 * kMinute, Event::kCopied, false, false},
         {3 * kMinute, Event::kClean, false, false}, {4 * kMinute, Event::kChange, false, false},
         {5 * kMinute, Event::kNothing, false, false}, {6 * kMinute, Event::kNothing, false, true}},
    };
    for (size_t run = 0; run < runs.size(); ++run) {
        RecoverySchedule schedule;
        for (size_t step = 0; step < runs[run].size(); ++step) {
            const Step& s = runs[run][step];
            switch (s.event) {
                case Event::kChange: schedule.NoteChange(s.time); break;
                case Event::kCopied: schedule.NoteCopyWritten(s.time); break;
                case Event::kClean: schedule.NoteClean(); break;
                case Event::kNothing: break;
            }
            EXPECT_EQ(s.due, schedule.Due(s.time, s.dialogOpen)) << "run " << run << " step " << step;
        }
    }
}

TEST(RecoveryFileNames, EachDocumentHasItsOwnCopyAndEveryFileNamesItsProgram) {
    const std::string a = RecoverySessionName(0x1a2c, 0x01d9f3e4a5b6c7d8ULL);
    const std::string b = RecoverySessionName(0x1a2c, 0x01d9f3e4a5b6c7d9ULL);  // the id again, later
    EXPECT_NE(a, b);
    // One document whichever way its path is spelled; another document, or
    // another program, another copy.
    EXPECT_EQ(RecoveryCopyFileName(a, "C:\\Data\\Home.pgr"), RecoveryCopyFileName(a, "c:\\data\\HOME.PGR"));
    EXPECT_NE(RecoveryCopyFileName(a, "C:\\Data\\Home.pgr"), RecoveryCopyFileName(a, "C:\\Data\\Work.pgr"));
    EXPECT_NE(RecoveryCopyFileName(a, ""), RecoveryCopyFileName(b, ""));

    struct Case {
        std::string name;
        RecoveryFileKind kind;
        std::string session;
    };
    const std::string copy = RecoveryCopyFileName(a, "C:\\Data\\Home.pgr");
    const Case cases[] = {
        {RecoveryLockFileName(a), RecoveryFileKind::kLock, a},
        {copy, RecoveryFileKind::kCopy, a},
        {RecoveryNoteFileName(copy), RecoveryFileKind::kNote, a},
        {RecoveryCopyFileName(b, ""), RecoveryFileKind::kCopy, b},
        {"VTR1A2.tmp", RecoveryFileKind::kNotOurs, ""},
        {"Home.pgr", RecoveryFileKind::kNotOurs, ""},
        {a + "-Home.pgr", RecoveryFileKind::kNotOurs, ""},
        {copy + ".bak", RecoveryFileKind::kNotOurs, ""},
    };
    for (const Case& c : cases) {
        std::string session = "unchanged";
        EXPECT_EQ(c.kind, ClassifyRecoveryFile(c.name, session)) << c.name;
        EXPECT_EQ(c.session.empty() ? "unchanged" : c.session, session) << c.name;
    }
}

TEST(RecoveryNoteText, ReadsBackWhatWasWrittenAndRefusesAnythingCutShort) {
    const RecoveryNote notes[] = {{"C:\\Data\\Home & Work.pgr", 1796680800}, {"", 0}, {"D:\\x=y.pgr", -3600}};
    for (const RecoveryNote& note : notes) {
        const std::string text = FormatRecoveryNote(note);
        RecoveryNote read;
        ASSERT_TRUE(ParseRecoveryNote(text, read)) << text;
        EXPECT_EQ(note.documentPath, read.documentPath);
        EXPECT_EQ(note.unixTime, read.unixTime);
        for (size_t cut = 0; cut < text.size(); ++cut)
            EXPECT_FALSE(ParseRecoveryNote(text.substr(0, cut), read)) << cut;
    }
    RecoveryNote read;
    EXPECT_FALSE(ParseRecoveryNote("Vantrel! recovery copy\r\nPath=C:\\a.pgr\r\nTime=12x\r\n", read));
    EXPECT_FALSE(ParseRecoveryNote("<?xml version=\"1.0\"?>\r\n<Pim/>\r\n", read));
}

}  // namespace
