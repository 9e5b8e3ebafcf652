#pragma once
// The settings store on the desktop: QSettings in the platform's native format, organisation
// "Quillmoor", application "FluffoB50" (on Windows the registry key of the current user,
// elsewhere a file in the user's config folder). Every value is written as text at once and
// confirmed on disk; a refused write, a value that is not text and a store that cannot be
// created raise StoreError with the user-facing text.

#include <QSettings>
#include <QString>
#include <memory>

#include "base/settings_store.h"

namespace fluffo {

class QSettingsStore : public SettingsStore {
public:
    // The user's own store. Throws StoreError ("Failed to create key ...") when it can be
    // neither read nor created.
    QSettingsStore();
    // A store kept in the given file and format instead; the tests' way to stay out of the
    // user's settings. Throws as above.
    QSettingsStore(QString file_path, QSettings::Format format);

    std::optional<StoredValue> read_value(const std::string& name) override;
    void write_text(const std::string& name, const std::string& text) override;

    // Where the values live: the file, or the registry path on Windows.
    QString location() const;

private:
    // A fresh view of the store for each operation: QSettings keeps an error status for the
    // life of the object, so a view that once failed would report every later write as failed.
    std::unique_ptr<QSettings> view() const;
    void open();
    bool in_registry() const;
    std::string key_path() const;

    QString m_file_path;  // empty: the user's own store
    QSettings::Format m_format = QSettings::NativeFormat;
};

}  // namespace fluffo
