#include "platform/qt_settings_store.h"

#include <QByteArray>
#include <QVariant>

namespace lumora {

namespace {
QString keyOf(const std::string& section, const std::string& entry) {
    return QString::fromStdString(section) + QLatin1Char('/') + QString::fromStdString(entry);
}
} // namespace

QtSettingsStore::QtSettingsStore(std::unique_ptr<QSettings> settings) : settings_(std::move(settings)) {}

int QtSettingsStore::readInt(const std::string& section, const std::string& entry, int def) const {
    const QVariant v = settings_->value(keyOf(section, entry));
    if (!v.isValid() || v.typeId() == QMetaType::QByteArray) return def;
    if (v.typeId() == QMetaType::Int || v.typeId() == QMetaType::LongLong) return v.toInt();
    bool ok = false;
    const int n = v.toString().trimmed().toInt(&ok);
    return ok ? n : def;
}

std::string QtSettingsStore::readString(const std::string& section, const std::string& entry,
                                        const std::string& def) const {
    const QVariant v = settings_->value(keyOf(section, entry));
    if (!v.isValid() || v.typeId() == QMetaType::QByteArray || v.typeId() == QMetaType::QStringList) return def;
    return v.toString().toStdString();
}

bool QtSettingsStore::store(const QString& key, const QVariant& value) {
    // Views write some entries at every paint; a value that is already stored costs no disk write.
    const QVariant old = settings_->value(key);
    if (old.isValid() && old.typeId() == value.typeId() && old == value && settings_->status() == QSettings::NoError)
        return true;
    settings_->setValue(key, value);
    settings_->sync();
    return settings_->status() == QSettings::NoError;
}

bool QtSettingsStore::writeInt(const std::string& section, const std::string& entry, int value) {
    return store(keyOf(section, entry), value);
}

bool QtSettingsStore::writeString(const std::string& section, const std::string& entry, const std::string& value) {
    return store(keyOf(section, entry), QString::fromStdString(value));
}

std::optional<Bytes> QtSettingsStore::readBlock(const std::string& section, const std::string& entry) const {
    const QVariant v = settings_->value(keyOf(section, entry));
    if (!v.isValid() || v.typeId() != QMetaType::QByteArray) return std::nullopt;
    const QByteArray b = v.toByteArray();
    return Bytes(reinterpret_cast<const std::uint8_t*>(b.constData()),
                 reinterpret_cast<const std::uint8_t*>(b.constData()) + b.size());
}

bool QtSettingsStore::writeBinary(const std::string& section, const std::string& entry, const std::uint8_t* block,
                                  std::size_t length) {
    return store(keyOf(section, entry),
                 QByteArray(reinterpret_cast<const char*>(block), static_cast<qsizetype>(length)));
}

std::unique_ptr<QtSettingsStore> openSettingsFile(const QString& iniPath) {
    return std::make_unique<QtSettingsStore>(std::make_unique<QSettings>(iniPath, QSettings::IniFormat));
}

std::unique_ptr<QtSettingsStore> openSettingsStore() {
    const QByteArray env = qgetenv("LUMORA_SETTINGS");
    if (!env.isEmpty()) return openSettingsFile(QString::fromLocal8Bit(env));
#ifdef Q_OS_WIN
    return std::make_unique<QtSettingsStore>(std::make_unique<QSettings>(
        QStringLiteral("HKEY_CURRENT_USER\\Software\\Varnelle\\Lumora\\4.0"), QSettings::NativeFormat));
#else
    return std::make_unique<QtSettingsStore>(std::make_unique<QSettings>(
        QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Varnelle"), QStringLiteral("Lumora/4.0")));
#endif
}

} // namespace lumora
