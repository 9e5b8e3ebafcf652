#include "app/qt/store/qsettings_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QVariant>
#include <algorithm>
#include <memory>

#include "base/settings_values.h"
#include "base/store_file_text.h"

namespace fluffo {

namespace {

QString q(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::unique_ptr<QSettings> users_own_settings() {
    auto settings = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                                q(Store_Organisation), q(Store_Application));
    // Only the user's own key counts: no value of the organisation's or the system's.
    settings->setFallbacksEnabled(false);
    return settings;
}

}  // namespace

QSettingsStore::QSettingsStore() : m_users_own(true) {
    if (!in_registry()) m_file_path = users_own_settings()->fileName();
    open();
}

QSettingsStore::QSettingsStore(QString file_path, QSettings::Format format, int lock_wait_ms)
    : m_file_path(std::move(file_path)), m_format(format), m_lock_wait_ms(lock_wait_ms) {
    open();
}

bool QSettingsStore::in_registry() const {
#ifdef Q_OS_WIN
    return m_format == QSettings::NativeFormat;
#else
    return false;
#endif
}

QString QSettingsStore::location() const {
    if (!in_registry()) return m_file_path;
    return m_users_own ? q(Store_Key_Path) : m_file_path;
}

void QSettingsStore::open() {
    // Like opening the registry key with creation: the store must be readable, and its folder
    // (the parent keys) must exist before the first write. A damaged file still opens: what
    // can be read is read, the rest takes its defaults.
    const std::string key_path = location().toStdString();
    if (in_registry()) {
        const auto settings =
            m_users_own ? users_own_settings() : std::make_unique<QSettings>(m_file_path, m_format);
        if (settings->status() == QSettings::AccessError)
            throw StoreError(create_key_failed_text(key_path));
        return;
    }
    const QFileInfo file(m_file_path);
    if (file.exists() ? file.isDir() || !file.isReadable() : !QDir().mkpath(file.absolutePath()))
        throw StoreError(create_key_failed_text(key_path));
}

const std::map<std::string, StoredValue>& QSettingsStore::file_values() {
    const QFileInfo info(m_file_path);
    if (!info.exists()) {
        m_snapshot = Snapshot{};
        return m_snapshot.values;
    }
    if (info.size() == m_snapshot.size && info.lastModified() == m_snapshot.modified)
        return m_snapshot.values;
    QFile file(m_file_path);
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly)) bytes = file.readAll();
    m_snapshot.size = info.size();
    m_snapshot.modified = info.lastModified();
    m_snapshot.values = store_file_values(std::string_view(bytes.constData(), bytes.size()));
    return m_snapshot.values;
}

std::optional<StoredValue> QSettingsStore::read_value(const std::string& name) {
    if (in_registry()) {
        const auto settings =
            m_users_own ? users_own_settings() : std::make_unique<QSettings>(m_file_path, m_format);
        const QString key = q(name);
        if (!settings->contains(key)) return std::nullopt;
        const QVariant value = settings->value(key);
        // A list or any other variant is no text; its text, as far as it has one, is kept.
        return StoredValue{value.typeId() == QMetaType::QString, value.toString().toStdString()};
    }
    const auto& values = file_values();
    const auto it = values.find(name);
    if (it == values.end()) return std::nullopt;
    return it->second;
}

void QSettingsStore::write_texts(const StoreTexts& values) {
    if (values.empty()) return;
    if (in_registry()) {
        write_registry(values);
    } else {
        write_file(values);
    }
}

void QSettingsStore::write_file(const StoreTexts& values) {
    const auto& current = file_values();
    const bool unchanged = std::all_of(values.begin(), values.end(), [&](const auto& value) {
        const auto it = current.find(value.first);
        return it != current.end() && it->second.is_text && it->second.text == value.second;
    });
    if (unchanged) return;

    const auto refused = [&] { return StoreError(set_data_failed_text(values.front().first)); };
    // A file the user made read-only stays unwritten, though its folder would allow a new one.
    const QFileInfo info(m_file_path);
    if (info.exists() && !info.isWritable()) throw refused();
    QLockFile lock(m_file_path + QStringLiteral(".lock"));
    const bool locked = lock.tryLock(m_lock_wait_ran_out ? 0 : m_lock_wait_ms);
    m_lock_wait_ran_out = !locked;
    if (!locked) throw refused();

    // The file as it is now, under the lock: another program may have written meanwhile.
    QByteArray before;
    if (QFile file(m_file_path); file.exists()) {
        if (!file.open(QIODevice::ReadOnly)) throw refused();
        before = file.readAll();
    }
    const std::string after =
        store_file_with(std::string_view(before.constData(), before.size()), values);
    QSaveFile file(m_file_path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(after.data(), static_cast<qint64>(after.size())) !=
            static_cast<qint64>(after.size()) ||
        !file.commit()) {
        throw refused();
    }
    const QFileInfo written(m_file_path);
    m_snapshot = Snapshot{written.size(), written.lastModified(), store_file_values(after)};
}

void QSettingsStore::write_registry(const StoreTexts& values) {
    const auto settings =
        m_users_own ? users_own_settings() : std::make_unique<QSettings>(m_file_path, m_format);
    std::vector<std::pair<QString, std::optional<QVariant>>> before;
    for (const auto& [name, text] : values) {
        const QString key = q(name);
        before.emplace_back(
            key, settings->contains(key) ? std::optional(settings->value(key)) : std::nullopt);
        settings->setValue(key, q(text));
    }
    settings->sync();
    if (settings->status() == QSettings::NoError) return;
    // QSettings keeps a refused change pending in memory it shares between views: later reads
    // would see it and a later write would store it after all. Undo it.
    for (const auto& [key, value] : before) {
        if (value) {
            settings->setValue(key, *value);
        } else {
            settings->remove(key);
        }
    }
    throw StoreError(set_data_failed_text(values.front().first));
}

}  // namespace fluffo
