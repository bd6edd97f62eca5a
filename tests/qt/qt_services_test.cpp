// SPDX-License-Identifier: GPL-3.0-or-later
// The Qt back end's services: the settings store on QSettings, the sound output without a device, and the
// display mode.
#include "platform/qt/qt_display_mode.h"
#include "platform/qt/qt_settings_store.h"
#include "platform/qt/qt_sound_output.h"
#include "platform/qt/stored_objects.h"
#include "test_tone.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>

#include <csignal>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace zem::platform::qt {
namespace {

using testing::tone;

ino_t inodeOf(const QString& path) {
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0) return 0;
    return st.st_ino;
}

QByteArray contentsOf(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

TEST(QtSettingsStore, AwkwardTextsComeBackUnchanged) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("zem.ini");
    const std::vector<std::string> texts = {
        " AB, C ",
        "",
        "-1",
        "a=b; c",
        "#not a comment",
        "\"quoted\"",
        "back\\slash",
        "trail ",
        "  lead",
        "@Variant",
        "tab\there",
        "name with ümlauts",
        "1,2,3",
        "[section]",
        "line\r\nbreak",
        "@Variant(1)",
        "x, @Variant(y)",
        "@DateTime(z)",
        "@@Variant(w)",
    };
    {
        QtSettingsStore store(path);
        for (size_t i = 0; i < texts.size(); ++i) {
            EXPECT_TRUE(store.write("zem", "player1", "key" + std::to_string(i), texts[i]));
        }
        EXPECT_TRUE(store.write("zem", "notice", "autoplay", "-1"));
        EXPECT_TRUE(store.flush());
    }
    // A new store reads the file afresh.
    QtSettingsStore again(path);
    for (size_t i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(again.read("zem", "player1", "key" + std::to_string(i)), texts[i]) << "text " << i;
    }
    EXPECT_EQ(again.read("zem", "notice", "autoplay"), "-1");
    EXPECT_EQ(again.read("zem", "player2", "bank"), std::nullopt);
    EXPECT_EQ(again.read("zem", "player1", "missing"), std::nullopt);
    // Sections are INI groups.
    EXPECT_TRUE(contentsOf(path).contains("[player1]"));
    EXPECT_TRUE(contentsOf(path).contains("[notice]"));
}

TEST(QtSettingsStore, TheUsersStoreIsZemIniUnderTheConfigFolder) {
    QtSettingsStore store;
    const QString expected = QDir(qEnvironmentVariable("XDG_CONFIG_HOME")).filePath("zem/zem.ini");
    EXPECT_EQ(store.fileName("zem"), expected);
    EXPECT_TRUE(store.write("zem", "player1", "currentplayer", " Ann "));
    EXPECT_TRUE(store.flush());
    EXPECT_TRUE(QFile::exists(expected));
    EXPECT_EQ(QtSettingsStore().read("zem", "player1", "currentplayer"), " Ann ");
}

TEST(QtSettingsStore, AFlushReplacesTheFileWholeAndNeverRewritesItInPlace) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("zem.ini");
    QtSettingsStore store(path);
    ASSERT_TRUE(store.write("zem", "player1", "bank", "1250"));
    ASSERT_TRUE(store.flush());
    const QByteArray first = contentsOf(path);
    ASSERT_TRUE(first.contains("bank=1250"));

    // A second name for the old file: if the store wrote into the file, this name would see the new text.
    const QString old = dir.filePath("old.ini");
    ASSERT_EQ(::link(QFile::encodeName(path).constData(), QFile::encodeName(old).constData()), 0);
    const ino_t before = inodeOf(path);
    ASSERT_TRUE(store.write("zem", "player1", "bank", "7"));
    ASSERT_TRUE(store.flush());
    EXPECT_NE(inodeOf(path), before);   // a new file took the name
    EXPECT_EQ(contentsOf(old), first);  // the old one is whole and unchanged
    EXPECT_TRUE(contentsOf(path).contains("bank=7"));
    // Nothing of the write is left behind beside the file.
    QStringList left = QDir(dir.path()).entryList(QDir::Files);
    left.sort();
    EXPECT_EQ(left, (QStringList{"old.ini", "zem.ini"}));
}

TEST(QtSettingsStore, AFailedWriteIsReportedAndTheStoreRecovers) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString folder = dir.filePath("store");
    const QString path = folder + "/zem.ini";
    auto block = [&] {
        QDir(folder).removeRecursively();
        QFile file(folder);  // a file stands where the store's folder should be
        return file.open(QIODevice::WriteOnly);
    };

    // The folder cannot be made: the write is refused at once.
    ASSERT_TRUE(block());
    QtSettingsStore refused(path);
    EXPECT_FALSE(refused.write("zem", "player1", "bank", "5000"));

    // Written while the folder was there, flushed after it went: the flush reports the failure, and the
    // values are kept for the next flush.
    ASSERT_TRUE(QFile::remove(folder));
    QtSettingsStore store(path);
    ASSERT_TRUE(store.write("zem", "player1", "bank", "5000"));
    ASSERT_TRUE(block());
    EXPECT_FALSE(store.flush());
    EXPECT_FALSE(QFile::exists(path));
    ASSERT_TRUE(QFile::remove(folder));
    ASSERT_TRUE(QDir().mkpath(folder));
    EXPECT_TRUE(store.flush());
    EXPECT_EQ(QtSettingsStore(path).read("zem", "player1", "bank"), "5000");
}

TEST(QtSettingsStore, ADamagedFileIsReadAsFarAsItGoesAndTheNextSaveWritesItClean) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("zem.ini");
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[player1]\nbank=250\ncurrentplayer=Ann\nthis line has no equals sign\n[player2]\n=\n");
    }
    QtSettingsStore store(path);
    EXPECT_EQ(store.read("zem", "player1", "bank"), "250");
    EXPECT_EQ(store.read("zem", "player1", "currentplayer"), "Ann");
    ASSERT_TRUE(store.write("zem", "player1", "games", "3"));
    EXPECT_TRUE(store.flush()) << "the save succeeded; the damage was the old file's";
    const QByteArray text = contentsOf(path);
    EXPECT_FALSE(text.contains("no equals sign"));
    QtSettingsStore again(path);
    EXPECT_EQ(again.read("zem", "player1", "bank"), "250");
    EXPECT_EQ(again.read("zem", "player1", "games"), "3");
}

// A serialized list that declares four thousand million elements: rebuilt, it would try to reserve about
// 128 GB (and reads as nothing when that fails).
const QByteArray kHugeList = QByteArray("\0\0\0\x09\xff\xff\xff\xf0", 8);

TEST(QtSettingsStore, AValueInTheFormOfASerializedObjectIsReadAsTheTextItIs) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("zem.ini");
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[player1]\ngames=7\nbank=@Variant(" + kHugeList + ")\n" +
                   "currentplayer=\"\\x40Variant(\\0\\0\\0\\x9\\xff\\xff\\xff\\xf0)\"\n" +
                   "total=1, @DateTime(" + kHugeList + ")\n");
    }
    QtSettingsStore store(path);
    EXPECT_EQ(store.read("zem", "player1", "games"), "7");
    const auto bank = store.read("zem", "player1", "bank");
    ASSERT_TRUE(bank.has_value());
    EXPECT_EQ(bank->rfind("@Variant(", 0), 0u) << "the value is its own text, not an object";
    const auto name = store.read("zem", "player1", "currentplayer");
    ASSERT_TRUE(name.has_value());
    EXPECT_EQ(name->rfind("@Variant(", 0), 0u);
    const auto total = store.read("zem", "player1", "total");
    ASSERT_TRUE(total.has_value());
    EXPECT_EQ(total->rfind("1, @DateTime(", 0), 0u);
    // The file was made safe as it was opened, and a save keeps it so.
    QByteArray defused;
    EXPECT_FALSE(fileHoldsStoredObjects(path, defused));
    ASSERT_TRUE(store.write("zem", "player1", "games", "8"));
    ASSERT_TRUE(store.flush());
    EXPECT_FALSE(fileHoldsStoredObjects(path, defused));
    QtSettingsStore again(path);
    EXPECT_EQ(again.read("zem", "player1", "games"), "8");
    EXPECT_EQ(again.read("zem", "player1", "currentplayer"), name);
    EXPECT_EQ(again.read("zem", "player1", "bank"), bank);
}

TEST(QtSettingsStore, ObjectValuesAreFoundInEveryFormTheReaderDecodesAndNothingElseChanges) {
    struct Case {
        const char* file;
        const char* safe;
    };
    const Case cases[] = {
        {"a=@Variant(x)\n", "a=@@Variant(x)\n"},
        {"a = @DateTime(x)\n", "a = @@DateTime(x)\n"},
        {"a=\"@Variant(x)\"\n", "a=\"@@Variant(x)\"\n"},
        {"a=\\x40Variant(x)\n", "a=@\\x40Variant(x)\n"},
        {"a=\\100Variant(x)\n", "a=@\\100Variant(x)\n"},
        {"a=@\\x56\\x61riant(x)\n", "a=@@\\x56\\x61riant(x)\n"},
        {"a=1, 2,@Variant(x)\n", "a=1, 2,@@Variant(x)\n"},
        {"a=\\\n@Variant(x)\n", "a=\\\n@@Variant(x)\n"},
        {"[s]\r\na=@Variant(x)\r\nb=@DateTime(y)", "[s]\r\na=@@Variant(x)\r\nb=@@DateTime(y)"},
    };
    for (const Case& c : cases) EXPECT_EQ(defuseStoredObjects(c.file), QByteArray(c.safe)) << c.file;
    // What the game writes, and harmless forms, stay as they are.
    for (const char* same :
         {"a=@@Variant(x)\n", "a=bob@Variant(x)\n", "a=\"x, @Variant(y)\"\n", "a=@Rect(1 2 3 4)\n",
          "a=\\x1b[31m\n", "a=-1\nb=\n", "[@Variant(x)]\n", "a=\\\"@Variant(x)\n"}) {
        EXPECT_EQ(defuseStoredObjects(same), QByteArray(same)) << same;
    }
}

TEST(QtSettingsStore, ADamagedSectionHeaderHidesNoKeyThatASaveWouldKeep) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("zem.ini");
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        // A damaged header whose name begins as the player's section does: read key by key, it hid the keys
        // above it, which a save then kept and the next start found.
        file.write("[player1]\nbank=100\ngames=3\nfreespinstotal=11\nfreespinwin=125\n[player1/=40\n");
    }
    const char* keys[] = {"bank", "games", "freespinstotal", "freespinwin"};
    QtSettingsStore store(path);
    std::vector<std::optional<std::string>> before;
    for (const char* key : keys) before.push_back(store.read("zem", "player1", key));
    EXPECT_EQ(before[3], "125") << "the section's keys are seen from the start";
    ASSERT_TRUE(store.write("zem", "player2", "games", "1"));
    ASSERT_TRUE(store.flush());
    QtSettingsStore again(path);
    for (size_t i = 0; i < std::size(keys); ++i) {
        EXPECT_EQ(again.read("zem", "player1", keys[i]), before[i]) << keys[i] << " changed with a save";
    }
}

TEST(QtSettingsStore, AFullDiskOrAFolderInTheFilesPlaceFailsTheSaveAndKeepsTheOldFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("zem.ini");
    {
        QtSettingsStore store(path);
        ASSERT_TRUE(store.write("zem", "player1", "bank", "100"));
        ASSERT_TRUE(store.flush());
    }
    const QByteArray before = contentsOf(path);

    // A disk that takes no more bytes, as a full one: the file size limit of the process, its signal ignored.
    {
        struct rlimit old {};
        ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
        const auto previous = std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit tiny = old;
        tiny.rlim_cur = 16;
        ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &tiny), 0);
        QtSettingsStore store(path);
        store.write("zem", "player1", "bank", "99999");
        store.write("zem", "player1", "currentplayer", "a name long enough to pass the limit");
        const bool saved = store.flush();
        ::setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, previous);
        EXPECT_FALSE(saved);
    }
    EXPECT_EQ(contentsOf(path), before) << "a failed save leaves the old file whole";

    // A folder where the file should be: nothing reads, and no save succeeds.
    const QString folder = dir.filePath("folder.ini");
    ASSERT_TRUE(QDir().mkpath(folder));
    QtSettingsStore odd(folder);
    EXPECT_FALSE(odd.read("zem", "player1", "bank").has_value());
    odd.write("zem", "player1", "bank", "5");
    EXPECT_FALSE(odd.flush());
    EXPECT_TRUE(QFileInfo(folder).isDir());
}

void writeFile(const QString& path, const QByteArray& text) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

int makeLink(const char* target, const QString& link) { return ::symlink(target, QFile::encodeName(link)); }

TEST(QtSettingsStore, ALinkToAFileOfTheSameAccountIsFollowedAndLookedAtAgainBeforeEverySave) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString kept = dir.filePath("kept.ini"), path = dir.filePath("zem.ini");
    writeFile(kept, "[player1]\nbank=300\n");
    ASSERT_EQ(makeLink("kept.ini", path), 0);
    QtSettingsStore store(path);
    EXPECT_EQ(store.read("zem", "player1", "bank"), "300");
    ASSERT_TRUE(store.write("zem", "player1", "bank", "7"));
    ASSERT_TRUE(store.flush());
    EXPECT_TRUE(QFileInfo(path).isSymLink()) << "the player's link stays";
    EXPECT_TRUE(contentsOf(kept).contains("bank=7"));
    // The link comes to lead nowhere while the game runs: the save is refused and makes nothing; once the
    // file is back, the next save writes what is owed.
    ASSERT_TRUE(QFile::rename(kept, kept + ".away"));
    ASSERT_TRUE(store.write("zem", "player1", "bank", "400"));
    EXPECT_FALSE(store.flush());
    EXPECT_FALSE(QFile::exists(kept));
    EXPECT_NE(store.whyNotSaved().find("zem.ini is a link to nothing"), std::string::npos);
    ASSERT_TRUE(QFile::rename(kept + ".away", kept));
    EXPECT_TRUE(store.flush());
    EXPECT_EQ(QtSettingsStore(path).read("zem", "player1", "bank"), "400");
}

TEST(QtSettingsStore, AnythingElseAtTheStoresPlaceIsNeitherReadNorWrittenNorWaitedOn) {
    std::vector<std::pair<const char*, std::function<int(const QString& path, const QString& dir)>>> places =
        {
            {"a link to nothing",
             [](const QString& path, const QString&) { return makeLink("gone.ini", path); }},
        };
    if (::geteuid() == 0) {  // only an administrator makes a device, or a link in another account's name
        places.push_back({"a link to a device", [](const QString& path, const QString& dir) {
                              return ::mknod(QFile::encodeName(dir + "/null"), S_IFCHR | 0666,
                                             makedev(1, 3)) ||
                                     makeLink("null", path);
                          }});
        places.push_back({"a link to a file of another account", [](const QString& path, const QString& dir) {
                              writeFile(dir + "/theirs", "theirs");
                              return makeLink("theirs", path) ||
                                     ::lchown(QFile::encodeName(path), 65534, 65534);
                          }});
    }
    // Last: on a reader that opens it, a pipe holds the test up for good.
    places.push_back({"a pipe", [](const QString& path, const QString&) {
                          return ::mkfifo(QFile::encodeName(path), 0600);
                      }});
    for (const auto& [what, make] : places) {
        SCOPED_TRACE(what);
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        const QString path = dir.filePath("zem.ini");
        ASSERT_EQ(make(path, dir.path()), 0);
        const auto listing = [&] {
            QStringList entries;
            for (const QFileInfo& entry :
                 QDir(dir.path()).entryInfoList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
                struct stat st {};
                ::lstat(QFile::encodeName(entry.filePath()), &st);
                entries << QString("%1 %2 %3").arg(entry.fileName()).arg(st.st_mode).arg(st.st_ino);
            }
            return entries;
        };
        const QStringList before = listing();
        QtSettingsStore store(path);
        EXPECT_FALSE(store.read("zem", "player1", "bank").has_value());
        EXPECT_FALSE(store.write("zem", "player1", "bank", "5000"));
        EXPECT_FALSE(store.flush());
        EXPECT_NE(store.whyNotSaved().find(path.toStdString() + " is " + what), std::string::npos);
        EXPECT_EQ(listing(), before) << "something was made or replaced";
        if (QFile::exists(dir.filePath("theirs"))) {
            EXPECT_EQ(contentsOf(dir.filePath("theirs")), "theirs");
        }
    }
}

TEST(QtSettingsStore, TheUsersFileIgnoresARelativeConfigFolderAndFindsTheHomeOfTheAccount) {
    const QByteArray home = qgetenv("HOME"), config = qgetenv("XDG_CONFIG_HOME");
    qputenv("HOME", "/home/ann");
    qputenv("XDG_CONFIG_HOME", "relative/config");
    EXPECT_EQ(QtSettingsStore::userFile("zem"), "/home/ann/.config/zem/zem.ini");
    qunsetenv("XDG_CONFIG_HOME");
    const QString system =
        QDir::cleanPath(QFile::decodeName(::getpwuid(::geteuid())->pw_dir) + "/.config/zem/zem.ini");
    qputenv("HOME", "");
    EXPECT_EQ(QtSettingsStore::userFile("zem"), system);
    qunsetenv("HOME");
    EXPECT_EQ(QtSettingsStore::userFile("zem"), system);
    qputenv("HOME", home);
    qputenv("XDG_CONFIG_HOME", config);
}

TEST(QtSoundOutput, WithoutADeviceItIsSilentAndNeverBlocks) {
    for (auto device : {QtSoundOutput::Device::None, QtSoundOutput::Device::Default}) {
        QtSoundOutput sound(device);
        if (device == QtSoundOutput::Device::None) {
            EXPECT_FALSE(sound.hasDevice());
        }
        for (int number = 101; number <= 126; ++number) {
            if (number != 118) sound.load(number, tone(11025, 50));
        }
        sound.load(117, tone(22050, 200));
        sound.load(110, {1, 2, 3});  // not a recording: a silent entry
        EXPECT_TRUE(sound.playable(101));
        EXPECT_TRUE(sound.playable(117));
        EXPECT_FALSE(sound.playable(110));
        EXPECT_FALSE(sound.playable(118));
        // Quick plays, cut-offs, a loop, unknown numbers and stops all return at once.
        for (int i = 0; i < 200; ++i) {
            sound.play(124, false);
            sound.play(116, false);
        }
        sound.play(105, false);
        sound.play(117, true);
        sound.play(110, false);
        sound.play(999, true);
        sound.stop();
        sound.stop();
        EXPECT_FALSE(sound.channel().active());
    }
}

TEST(QtDisplayMode, ReportsTheScreenAndLeavesItsModeAlone) {
    QtDisplayMode display;
    const QSize size = QGuiApplication::primaryScreen()->size();
    const ScreenSize screen = display.screen();
    EXPECT_EQ(screen.width, size.width());
    EXPECT_EQ(screen.height, size.height());
    EXPECT_TRUE(display.setMode(0, 0));                         // back to the mode in force: it never changed
    EXPECT_TRUE(display.setMode(screen.width, screen.height));  // already so
    EXPECT_FALSE(display.setMode(screen.width + 1, screen.height));
    const ScreenSize after = display.screen();
    EXPECT_EQ(after.width, screen.width);
    EXPECT_EQ(after.height, screen.height);
}

}  // namespace
}  // namespace zem::platform::qt
