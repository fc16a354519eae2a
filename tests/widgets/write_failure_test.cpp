// The reasons the messages give for a failed write: each step in its own words, a folder
// nothing can be made in named, and real failures from the one-step write.
#include "platform/atomic_file.h"
#include "tests/support/temp_dir.h"
#include "widgets/write_failure.h"

#include <QtTest>
#include <cerrno>

using namespace mireto;

namespace {

QString u(const char* text) {
    return QString::fromUtf8(text);
}

} // namespace

class WriteFailureTest : public QObject {
    Q_OBJECT
private slots:
    void eachStepInItsOwnWords() {
        const QString path = u("/home/猫/page.html");
        QCOMPARE(writeFailureReason(path, {false, "x", FileWriteStep::CreateTemporary, EACCES, {}}),
                 u("フォルダ /home/猫 にファイルを作れません（書き込む権限がありません）。"));
        QCOMPARE(writeFailureReason(path, {false, "x", FileWriteStep::Protected, EACCES, {}}),
                 u("ファイルが書き込み禁止になっています。"));
        QCOMPARE(writeFailureReason(path, {false, "x", FileWriteStep::Write, ENOSPC, {}}),
                 u("書き込みの途中で失敗しました（ディスクに空きがありません）。"
                   "元のファイルはそのままです。"));
        QVERIFY(writeFailureReason(path, {false, "x", FileWriteStep::Rename, EXDEV, {}})
                    .startsWith(u("新しいファイルを元のファイルと置き換えられません（")));
        // Not a write of the file: its own text.
        QCOMPARE(writeFailureReason(path, {false, "no room in the store", {}, 0, {}}),
                 u("no room in the store"));
    }

    void realFailuresOfTheOneStepWrite() {
        test::TempDir dir;
        test::writeFile(dir / "file", "x");
        // A folder that is a file: nothing can be made "in" it.
        const auto inAFile = dir / "file" / "page.html";
        const FileWriteResult blocked = writeFileAtomically(inAFile, "page");
        QVERIFY(!blocked.ok);
        QCOMPARE(blocked.step, FileWriteStep::CreateTemporary);
        QCOMPARE(blocked.errorNumber, ENOTDIR);
        QCOMPARE(writeFailureReason(QString::fromStdString(inAFile.string()), blocked),
                 u("フォルダ %1 にファイルを作れません（保存先のフォルダがありません）。")
                     .arg(QString::fromStdString((dir / "file").string())));

        std::filesystem::permissions(dir / "file", std::filesystem::perms::owner_read);
        const FileWriteResult locked = writeFileAtomically(dir / "file", "new");
        QCOMPARE(locked.step, FileWriteStep::Protected);
        QCOMPARE(test::readFile(dir / "file"), std::string("x"));

        const FileWriteResult written = writeFileAtomically(dir / "new.html", "page");
        QVERIFY(written.ok);
        QCOMPARE(written.step, FileWriteStep::None);
        QCOMPARE(written.errorNumber, 0);
    }
};

QTEST_MAIN(WriteFailureTest)
#include "write_failure_test.moc"
