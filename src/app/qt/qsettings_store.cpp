#include "app/qt/qsettings_store.h"

#include <QDir>
#include <QFileInfo>
#include <QVariant>

#include "base/settings_values.h"

namespace fluffo {

namespace {

QString q(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

bool is_text(const QVariant& value) {
    return value.typeId() == QMetaType::QString;
}

}  // namespace

QSettingsStore::QSettingsStore() {
    open();
}

QSettingsStore::QSettingsStore(QString file_path, QSettings::Format format)
    : m_file_path(std::move(file_path)), m_format(format) {
    open();
}

std::unique_ptr<QSettings> QSettingsStore::view() const {
    if (m_file_path.isEmpty()) {
        auto settings = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                                    q(Store_Organisation), q(Store_Application));
        // Only the user's own key counts: no value of the organisation's or the system's.
        settings->setFallbacksEnabled(false);
        return settings;
    }
    return std::make_unique<QSettings>(m_file_path, m_format);
}

bool QSettingsStore::in_registry() const {
#ifdef Q_OS_WIN
    return m_format == QSettings::NativeFormat;
#else
    return false;
#endif
}

QString QSettingsStore::location() const {
    if (!in_registry()) return view()->fileName();
    return m_file_path.isEmpty() ? q(Store_Key_Path) : m_file_path;
}

std::string QSettingsStore::key_path() const {
    return location().toStdString();
}

void QSettingsStore::open() {
    // Like opening the registry key with creation: the store must be readable, and its folder
    // (the parent keys) must exist before the first write. A damaged file still opens: what
    // can be read is read, the rest takes its defaults, and the first write rewrites it.
    const std::unique_ptr<QSettings> settings = view();
    if (settings->status() == QSettings::AccessError) {
        throw StoreError(create_key_failed_text(key_path()));
    }
    if (in_registry()) return;
    const QFileInfo file(settings->fileName());
    if (!file.exists() && !QDir().mkpath(file.absolutePath())) {
        throw StoreError(create_key_failed_text(key_path()));
    }
}

std::optional<StoredValue> QSettingsStore::read_value(const std::string& name) {
    const std::unique_ptr<QSettings> settings = view();
    const QString key = q(name);
    if (!settings->contains(key)) return std::nullopt;
    const QVariant value = settings->value(key);
    // A list or any other variant is no text; its text, as far as it has one, is kept for show.
    return StoredValue{is_text(value), value.toString().toStdString()};
}

void QSettingsStore::write_text(const std::string& name, const std::string& text) {
    std::unique_ptr<QSettings> settings = view();
    // The first view of a damaged file keeps reporting the damage, whatever its write does.
    // A second view shares what the first has read and starts with a clean status.
    if (settings->status() == QSettings::FormatError) settings = view();
    const QString key = q(name);
    const bool existed = settings->contains(key);
    const QVariant before = settings->value(key);
    settings->setValue(key, q(text));
    settings->sync();
    if (settings->status() != QSettings::NoError) {
        // QSettings keeps a refused change pending in memory it shares between views: later
        // reads would see it and a later write would store it after all. Undo it.
        if (existed) {
            settings->setValue(key, before);
        } else {
            settings->remove(key);
        }
        throw StoreError(set_data_failed_text(name));
    }
}

}  // namespace fluffo
