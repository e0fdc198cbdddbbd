#pragma once
// The settings store on QSettings: the registry key "Varnelle\Lumora\4.0" on Windows, an INI file
// elsewhere ($XDG_CONFIG_HOME/Varnelle/Lumora/4.0.ini). The environment variable LUMORA_SETTINGS,
// when set, names the INI file to use instead. Every write is synced at once; QSettings writes the
// file atomically, so a crash never leaves half a file.
#include <memory>
#include <QSettings>
#include <QString>
#include <QVariant>

#include "foundation/settings_store.h"

namespace lumora {

class QtSettingsStore final : public SettingsStore {
public:
    explicit QtSettingsStore(std::unique_ptr<QSettings> settings);

    int readInt(const std::string& section, const std::string& entry, int def) const override;
    std::string readString(const std::string& section, const std::string& entry,
                           const std::string& def) const override;
    bool writeInt(const std::string& section, const std::string& entry, int value) override;
    bool writeString(const std::string& section, const std::string& entry, const std::string& value) override;
    std::optional<Bytes> readBlock(const std::string& section, const std::string& entry) const override;
    bool writeBinary(const std::string& section, const std::string& entry, const std::uint8_t* block,
                     std::size_t length) override;

    QString fileName() const { return settings_->fileName(); }

private:
    bool store(const QString& key, const QVariant& value);
    std::unique_ptr<QSettings> settings_;
};

// The learner's store: LUMORA_SETTINGS when set, else the platform's default place.
std::unique_ptr<QtSettingsStore> openSettingsStore();
// A store on an explicit INI file.
std::unique_ptr<QtSettingsStore> openSettingsFile(const QString& iniPath);

} // namespace lumora
