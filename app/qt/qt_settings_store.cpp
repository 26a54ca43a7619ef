#include "app/qt/qt_settings_store.h"

#include "app/qt/qt_text.h"

#include <QByteArray>

CQtSettingsStore::CQtSettingsStore()
    : m_settings(QStringLiteral("Valdorhaus"), QStringLiteral("Tessaron_Orvak")) {}

bool CQtSettingsStore::GetString(const std::string& name, std::string& value) const {
    const QVariant v = m_settings.value(QString::fromStdString(name));
    if (v.typeId() != QMetaType::QString) return false;
    value = FromQt(v.toString());
    return true;
}

bool CQtSettingsStore::SetString(const std::string& name, const std::string& value) {
    m_settings.setValue(QString::fromStdString(name), ToQt(value));
    return m_settings.status() == QSettings::NoError;
}

bool CQtSettingsStore::GetNumber(const std::string& name, int32_t& value) const {
    const QVariant v = m_settings.value(QString::fromStdString(name));
    bool ok = false;
    const int n = v.toInt(&ok);
    if (!v.isValid() || v.typeId() == QMetaType::QByteArray || !ok) return false;
    value = n;
    return true;
}

bool CQtSettingsStore::SetNumber(const std::string& name, int32_t value) {
    m_settings.setValue(QString::fromStdString(name), value);
    return m_settings.status() == QSettings::NoError;
}

bool CQtSettingsStore::GetBinary(const std::string& name, std::vector<uint8_t>& value) const {
    const QVariant v = m_settings.value(QString::fromStdString(name));
    if (v.typeId() != QMetaType::QByteArray) return false;
    const QByteArray bytes = v.toByteArray();
    value.assign(bytes.begin(), bytes.end());
    return true;
}

bool CQtSettingsStore::SetBinary(const std::string& name, const std::vector<uint8_t>& value) {
    m_settings.setValue(QString::fromStdString(name), QByteArray(reinterpret_cast<const char*>(value.data()),
                                                                 static_cast<qsizetype>(value.size())));
    return m_settings.status() == QSettings::NoError;
}

bool CQtSettingsStore::GetUtf8(const std::string& name, std::string& value) const {
    const QVariant v = m_settings.value(QString::fromStdString(name));
    if (v.typeId() != QMetaType::QString) return false;
    value = v.toString().toStdString();
    return true;
}

bool CQtSettingsStore::SetUtf8(const std::string& name, const std::string& value) {
    m_settings.setValue(QString::fromStdString(name), QString::fromStdString(value));
    return m_settings.status() == QSettings::NoError;
}
