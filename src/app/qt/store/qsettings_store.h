#pragma once
// The settings store on the desktop, where QSettings keeps it: organisation "Quillmoor",
// application "FluffoB50" in the platform's native format (on Windows the registry key of the
// current user, elsewhere a file in the user's config folder). Every value is written as text
// at once and confirmed on disk; a refused write, a value that is not text and a store that
// cannot be created raise StoreError with the user-facing text.
//
// A file is read and written here, in the INI format QSettings reads, not through QSettings:
// its lock waits for ever, and it reads and rewrites the whole file for every value. A write
// waits at most Lock_Wait_Ms for the lock (QSettings' own "<file>.lock"), and once a wait has
// run out the next ones only try, until a lock is had again; it changes only the values it
// sets, in a new file renamed over the old one, with one sync to disk; a value that already
// stands as written costs nothing. The file is parsed again only when it has changed.

#include <QDateTime>
#include <QSettings>
#include <QString>
#include <map>

#include "base/settings_store.h"

namespace fluffo {

class QSettingsStore : public SettingsStore {
public:
    static constexpr int Lock_Wait_Ms = 2000;

    // The user's own store. Throws StoreError ("Failed to create key ...") when it can be
    // neither read nor created.
    QSettingsStore();
    // A store kept in the given file and format instead; the tests' way to stay out of the
    // user's settings (and to wait less for a lock). Throws as above.
    QSettingsStore(QString file_path, QSettings::Format format, int lock_wait_ms = Lock_Wait_Ms);

    std::optional<StoredValue> read_value(const std::string& name) override;
    void write_texts(const StoreTexts& values) override;

    // Where the values live: the file, or the registry path on Windows.
    QString location() const;

private:
    void open();
    bool in_registry() const;
    // The file's values, read again when its size or time has changed.
    const std::map<std::string, StoredValue>& file_values();
    void write_file(const StoreTexts& values);
    void write_registry(const StoreTexts& values);

    QString m_file_path;  // in the registry: empty for the user's own key
    QSettings::Format m_format = QSettings::NativeFormat;
    bool m_users_own = false;
    int m_lock_wait_ms = Lock_Wait_Ms;

    struct Snapshot {
        qint64 size = -1;
        QDateTime modified;
        std::map<std::string, StoredValue> values;
    };
    Snapshot m_snapshot;
    bool m_lock_wait_ran_out = false;
};

}  // namespace fluffo
