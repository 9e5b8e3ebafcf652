// The desktop settings store on real files in a temporary folder: round trip as text, the
// folder made when absent, stores that cannot be created or written, a damaged file, and
// values that are not text.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QLibraryInfo>
#include <QRect>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>

#include "app/qt/store/qsettings_store.h"
#include "base/settings_values.h"
#include "display/main_screen.h"
#include "input/key_bindings.h"

namespace fluffo {
namespace {

class QSettingsStoreTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path(const QString& relative) const { return dir.filePath(relative); }
    QString conf() const { return path("Quillmoor/FluffoB50.conf"); }

    // The value as QSettings itself reads it from the file.
    static QVariant raw(const QString& file, const QString& name) {
        return QSettings(file, QSettings::IniFormat).value(name);
    }
    static void write_file(const QString& file, const QByteArray& bytes) {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    static std::string error_of(const std::function<void()>& action) {
        try {
            action();
        } catch (const StoreError& e) {
            return e.what();
        }
        return "(no error)";
    }
};

TEST_F(QSettingsStoreTest, ValuesGoToDiskAsTextAndReadBackInANewStore) {
    ASSERT_TRUE(dir.isValid());
    {
        QSettingsStore store(conf(), QSettings::IniFormat);
        EXPECT_TRUE(QDir(path("Quillmoor")).exists());  // made on opening, like the key
        write_integer(store, "SoundMode", -1);
        write_integer(store, "HiScore1", 2147483647);
        write_boolean(store, "FullscreenMode", false);
        write_integer(store, "Key3", 44);
        write_integer(store, "Key3", 4);  // overwritten at once
    }
    EXPECT_EQ(raw(conf(), "SoundMode").typeId(), QMetaType::QString);
    EXPECT_EQ(raw(conf(), "SoundMode").toString(), "-1");
    EXPECT_EQ(raw(conf(), "FullscreenMode").toString(), "0");
    EXPECT_EQ(raw(conf(), "Key3").toString(), "4");

    QSettingsStore again(conf(), QSettings::IniFormat);
    EXPECT_EQ(read_setting(again, Setting_SoundMode), -1);
    EXPECT_EQ(read_integer(again, "HiScore1", 0), 2147483647);
    EXPECT_FALSE(read_setting(again, Setting_FullscreenMode));
    EXPECT_TRUE(read_setting(again, Setting_CtrlrOverlay));  // absent: the default
    EXPECT_EQ(read_integer(again, "Key3", 0), 4);
    EXPECT_EQ(again.read_value("Nothing"), std::nullopt);
}

TEST_F(QSettingsStoreTest, TheUsersStoreIsNamedByOrganisationAndApplication) {
    // Aim the user scope at the temporary folder, never at the real config folder.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    QSettingsStore store;
    EXPECT_EQ(store.location(), conf());
    write_setting(store, Setting_SplashScreen, true);
    EXPECT_EQ(raw(conf(), "SplashScreen").toString(), "1");
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
}

TEST_F(QSettingsStoreTest, TheUsersStoreReadsOnlyItsOwnKeyNotTheOrganisationsNorTheSystems) {
    // What QSettings would otherwise fall back on: the organisation's file beside the user's
    // own, and the system-wide copy of the store.
    QTemporaryDir system;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope, system.path());
    write_file(path("Quillmoor.conf"), "[General]\nSoundMode=1\n");
    ASSERT_TRUE(QDir().mkpath(system.filePath("Quillmoor")));
    write_file(system.filePath("Quillmoor/FluffoB50.conf"), "[General]\nFullscreenMode=0\n");
    {
        QSettingsStore store;
        EXPECT_EQ(store.read_value("SoundMode"), std::nullopt);
        EXPECT_EQ(store.read_value("FullscreenMode"), std::nullopt);
        EXPECT_TRUE(read_setting(store, Setting_FullscreenMode));
    }
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
    QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope,
                       QLibraryInfo::path(QLibraryInfo::SettingsPath));
}

TEST_F(QSettingsStoreTest, AStoreThatCannotBeCreatedNamesItsPlace) {
    // Running as root, a read-only folder stops nothing, so these are places no one can make:
    // a folder where a plain file stands, and a store path that is a folder.
    write_file(path("plain"), "x");
    const QString under_file = path("plain/Quillmoor/FluffoB50.conf");
    EXPECT_EQ(error_of([&] { QSettingsStore s(under_file, QSettings::IniFormat); }),
              "Failed to create key " + under_file.toStdString());
    ASSERT_TRUE(QDir().mkpath(path("folder.conf")));
    EXPECT_EQ(error_of([&] { QSettingsStore s(path("folder.conf"), QSettings::IniFormat); }),
              "Failed to create key " + path("folder.conf").toStdString());
}

TEST_F(QSettingsStoreTest, ARefusedWriteIsReportedKeepsNothingAndTheStoreRecovers) {
    QSettingsStore store(conf(), QSettings::IniFormat);
    write_integer(store, "HiScore1", 100);
    // The folder disappears under the running program and a plain file takes its name.
    ASSERT_TRUE(QDir(path("Quillmoor")).removeRecursively());
    write_file(path("Quillmoor"), "x");
    EXPECT_EQ(error_of([&] { write_integer(store, "HiScore1", 450); }),
              "Failed to set data for 'HiScore1'");
    EXPECT_EQ(store.read_value("HiScore1"), std::nullopt);  // not pretending it was stored
    EXPECT_EQ(error_of([&] { write_integer(store, "HiScore2", 5); }),
              "Failed to set data for 'HiScore2'");

    ASSERT_TRUE(QFile::remove(path("Quillmoor")));
    ASSERT_TRUE(QDir().mkpath(path("Quillmoor")));
    write_integer(store, "HiScore2", 7);  // the earlier failure does not stick
    EXPECT_EQ(raw(conf(), "HiScore2").toString(), "7");
    EXPECT_FALSE(raw(conf(), "HiScore1").isValid());  // the refused value was dropped
}

// Run as an ordinary user by the "store_read_only" test when the suite runs as root.
TEST_F(QSettingsStoreTest, AReadOnlyFolderOrFileRefusesTheWriteForAnOrdinaryUser) {
    if (geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
    QSettingsStore store(conf(), QSettings::IniFormat);
    write_integer(store, "Key1", 2);
    const QByteArray folder = path("Quillmoor").toLocal8Bit();
    const QByteArray file = conf().toLocal8Bit();
    for (const auto& [target, mode] : {std::pair{folder, 0555}, std::pair{file, 0444}}) {
        ASSERT_EQ(chmod(target.constData(), mode), 0);
        EXPECT_EQ(error_of([&] { write_integer(store, "Key1", 3); }),
                  "Failed to set data for 'Key1'");
        EXPECT_EQ(read_integer(store, "Key1", 0), 2);
        chmod(target.constData(), mode | 0200);
    }
    // The refused value must not slip into the file with the next write.
    write_integer(store, "Key2", 3);
    EXPECT_EQ(raw(conf(), "Key1").toString(), "2");
    EXPECT_EQ(raw(conf(), "Key2").toString(), "3");
}

TEST_F(QSettingsStoreTest, ALockThatNeverComesRefusesTheWriteAndLaterOnesWaitNoMore) {
    QSettingsStore store(conf(), QSettings::IniFormat, 50);
    write_integer(store, "Key1", 2);
    // Not a lock file at all: QSettings itself would wait on it for ever.
    ASSERT_TRUE(QDir().mkpath(conf() + ".lock"));
    EXPECT_EQ(error_of([&] { write_integer(store, "Key1", 3); }), "Failed to set data for 'Key1'");
    EXPECT_EQ(error_of([&] { write_integer(store, "Key2", 4); }), "Failed to set data for 'Key2'");
    EXPECT_EQ(read_integer(store, "Key1", 0), 2);
    write_integer(store, "Key1", 2);  // already stored as written: no lock is needed
    ASSERT_TRUE(QDir(conf() + ".lock").removeRecursively());
    write_integer(store, "Key2", 4);  // free again
    EXPECT_EQ(raw(conf(), "Key2").toString(), "4");
}

TEST_F(QSettingsStoreTest, ValuesWrittenTogetherGoInOneWriteAndUnchangedOnesInNone) {
    QSettingsStore store(conf(), QSettings::IniFormat);
    const auto identity = [&] {
        struct stat s {};
        stat(conf().toLocal8Bit().constData(), &s);
        return s.st_ino;
    };
    MainScreen screen;
    KeyBindings keys;
    keys.load(store, screen.model());
    const auto first = identity();
    EXPECT_EQ(raw(conf(), "Key7").toString(), "38");
    keys.load(store, screen.model());  // the next start writes the same seven back
    EXPECT_EQ(identity(), first);      // the file was not replaced
    write_integer(store, "Key7", 1);
    EXPECT_NE(identity(), first);
}

TEST_F(QSettingsStoreTest, ADamagedFileGivesWhatItCanAndAWriteChangesOnlyItsValue) {
    ASSERT_TRUE(QDir().mkpath(path("Quillmoor")));
    // A section header without its bracket is what QSettings reports as damage.
    write_file(conf(), "[General\nSoundMode=1\nKey1=\xff\xfe\x01\nnot a value\n");
    QSettingsStore store(conf(), QSettings::IniFormat);
    EXPECT_EQ(read_setting(store, Setting_SoundMode), 1);
    EXPECT_EQ(read_integer(store, "Key1", 2), 2);  // unreadable text: the default
    write_integer(store, "Key1", 2);
    QSettings check(conf(), QSettings::IniFormat);
    EXPECT_EQ(check.value("Key1").toString(), "2");
    EXPECT_EQ(check.value("SoundMode").toString(), "1");
    // What the store cannot read it leaves as it was: the damage is the user's to mend.
    QFile file(conf());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "[General\nSoundMode=1\nKey1=2\nnot a value\n");
}

TEST_F(QSettingsStoreTest, AFileDamagedWhileTheProgramRunsIsStillWrittenAndConfirmed) {
    QSettingsStore store(conf(), QSettings::IniFormat);
    write_integer(store, "Key1", 2);
    // Edited by hand meanwhile: the next write is the first to read the damage.
    write_file(conf(), "[General\nKey2=3\nCtrlrOverlay=0\n[Other]\nx=1\n");
    write_integer(store, "HiScore2", 700);
    EXPECT_EQ(raw(conf(), "HiScore2").toString(), "700");
    EXPECT_EQ(read_integer(store, "Key2", 0), 3);
    EXPECT_FALSE(read_setting(store, Setting_CtrlrOverlay));
}

TEST_F(QSettingsStoreTest, ValuesThatAreNotTextAreInvalidDataAndAWriteReplacesThem) {
    ASSERT_TRUE(QDir().mkpath(path("Quillmoor")));
    {
        QSettings other(conf(), QSettings::IniFormat);
        other.setValue("Key1", QStringList{"1", "2"});
        other.setValue("Key2", QRect(1, 2, 3, 4));
        other.setValue("Key3", QString("4"));
        other.sync();
        ASSERT_EQ(other.status(), QSettings::NoError);
    }
    QSettingsStore store(conf(), QSettings::IniFormat);
    EXPECT_EQ(error_of([&] { read_integer(store, "Key1", 2); }), "Invalid data type for 'Key1'");
    EXPECT_EQ(error_of([&] { read_boolean(store, "Key2", true); }), "Invalid data type for 'Key2'");
    EXPECT_EQ(read_integer(store, "Key3", 0), 4);

    // Loading the bindings reports the first, binds the defaults and stores them as text.
    MainScreen screen;
    KeyBindings keys;
    EXPECT_EQ(error_of([&] { keys.load(store, screen.model()); }), "Invalid data type for 'Key1'");
    EXPECT_EQ(keys.Inp_Key_Bindings[Control::Game_A].virtual_key, '1');
    EXPECT_EQ(keys.Inp_Key_Bindings[Control::Game_B].virtual_key, '2');
    EXPECT_EQ(read_integer(store, "Key1", 0), 2);
    EXPECT_EQ(raw(conf(), "Key2").typeId(), QMetaType::QString);
    EXPECT_EQ(raw(conf(), "Key7").toString(), "38");
}

}  // namespace
}  // namespace fluffo
