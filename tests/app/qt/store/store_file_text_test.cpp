// The store's file text against QSettings itself: every file of the table, tidy, damaged or
// random, must give the same general values as QSettings reads from it, and after a write
// QSettings must read the values set and every other value as it was.
#include <gtest/gtest.h>

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QVariant>
#include <algorithm>
#include <random>

#include "base/store_file_text.h"

namespace fluffo {
namespace {

class StoreFileText : public ::testing::Test {
protected:
    static std::string shown(const std::string& text) { return text.substr(0, 300); }

    QTemporaryDir dir;
    int files = 0;

    // Every value QSettings reads from the text, by its full key ("Other/x" in a section).
    std::map<QString, QVariant> qsettings_values(const std::string& text) {
        const QString path = dir.filePath(QString("f%1.conf").arg(++files));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.data(), static_cast<qint64>(text.size()));
        file.close();
        QSettings settings(path, QSettings::IniFormat);
        std::map<QString, QVariant> values;
        for (const QString& key : settings.allKeys())
            values[key] = settings.value(key);
        return values;
    }

    void expect_reads_as_qsettings(const std::string& text) {
        // The values of names in plain ASCII, as every name of the program is: names of other
        // bytes QSettings decodes its own way.
        const auto plain = [](const std::string& name) {
            return !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
                return c > ' ' && c < 127 && c != '/';
            });
        };
        std::map<std::string, StoredValue> ours = store_file_values(text);
        std::erase_if(ours, [&](const auto& value) { return !plain(value.first); });
        size_t general = 0;
        for (const auto& [key, value] : qsettings_values(text)) {
            if (!plain(key.toStdString())) continue;
            ++general;
            const auto it = ours.find(key.toStdString());
            ASSERT_NE(it, ours.end()) << key.toStdString() << " in " << text;
            const bool is_text = value.typeId() == QMetaType::QString;
            EXPECT_EQ(it->second.is_text, is_text) << key.toStdString() << " in " << shown(text);
            if (!is_text) continue;
            // Bytes that are no UTF-8 QSettings reads as replacement characters, which no
            // number holds: there the number read is what must agree.
            const std::string theirs = value.toString().toStdString();
            if (value.toString().contains(QChar::ReplacementCharacter)) {
                EXPECT_EQ(parse_store_integer(it->second.text), parse_store_integer(theirs));
            } else {
                EXPECT_EQ(it->second.text, theirs) << shown(text);
            }
        }
        EXPECT_EQ(ours.size(), general) << shown(text);
    }

    void expect_write_changes_only_its_values(const std::string& text, const StoreTexts& set) {
        std::map<QString, QVariant> expected = qsettings_values(text);
        for (const auto& [name, value] : set)
            expected[QString::fromStdString(name)] = QString::fromStdString(value);
        const std::map<QString, QVariant> after = qsettings_values(store_file_with(text, set));
        EXPECT_EQ(after, expected) << shown(text);
    }
};

const std::vector<std::string> Files = {
    "",
    "[General]\nKey1=5\nKey2=-3\n",
    "Key1=5\n[Other]\nKey1=9\n[General]\nKey2=4\n",
    "[general]\r\nKey1 = 7 \r\n\tKey2=\"  7 \"\r\n",
    "[General]\nKey1=1,2\nKey2=\"a,b\"\nKey3=@Invalid()\nKey4=@@x\nKey5=@plain\n",
    "; comment\nKey1=3 ; trailing\nKey2=\"x;y\"\n",
    "Key1=a\\\nb\nKey2=\\x41\\102\\t\\q\n",
    "[%General]\nKey1=4\n[General\nKey2=8\n",
    "Key1=1\nKey1=2\n\xef\xbb\xbfKey3=3\n",
    "\xef\xbb\xbfKey1=3\n[ Other ]\nx=\"\n[General]\nKey1=4\n\"\nKey2=6\n",
    "%4Bey1=9\nKey%U0032=8\nK\\ey3=1\n=x\nnoequals\n[]\nKey4=\"open\n",
    "[General]\nKey1=\"\xc3\xa9t\xc3\xa9\"\nKey2=\xff\xfe\n",
};

TEST_F(StoreFileText, ReadsEveryFileAsQSettingsDoes) {
    ASSERT_TRUE(dir.isValid());
    for (const std::string& text : Files)
        expect_reads_as_qsettings(text);
}

TEST_F(StoreFileText, AWriteChangesOnlyTheValuesItSetsAndQSettingsReadsThemBack) {
    const StoreTexts set = {{"Key1", "12"},
                            {"New", "-3"},
                            {"Odd",
                             " a,b;c\"d\\e\n\x01"
                             "f@"},
                            {"At", "@Rect(1 2 3 4)"}};
    for (const std::string& text : Files)
        expect_write_changes_only_its_values(text, set);
    EXPECT_EQ(store_file_with("", {{"Key1", "2"}}), "[General]\nKey1=2\n");
    EXPECT_EQ(store_file_with("[General]\nKey2=3\n", {{"Key1", "2"}, {"Key2", "4"}}),
              "[General]\nKey1=2\nKey2=4\n");
}

TEST_F(StoreFileText, GarbageAfterTheValuesReadsAndWritesAsQSettingsDoes) {
    // Bytes weighted to the characters that steer the reading: quotes, escapes, brackets.
    const std::string steering = "\"\\[]=;,@\n\r %U";
    for (const unsigned seed : {1u, 2u, 3u, 4u}) {
        std::mt19937 random(seed);
        std::string text = "[General]\nKey1=2\nKey2=3\nHiScore1=450\n";
        for (int i = 0; i < 200'000; ++i) {
            const unsigned r = random();
            text += r % 4 == 0 ? steering[(r >> 8) % steering.size()] : static_cast<char>(r >> 16);
        }
        expect_reads_as_qsettings(text);
        expect_write_changes_only_its_values(text, {{"Key1", "7"}, {"SoundMode", "2"}});
    }
}

}  // namespace
}  // namespace fluffo
