#include "backup/BackupManifest.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>

namespace qm
{

namespace
{

QString qs(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string str(const QString& text)
{
    return text.toUtf8().toStdString();
}

bool isHexSum(const QString& text)
{
    if (text.size() != 64)
        return false;
    for (const QChar c : text)
        if (!((c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (c >= QLatin1Char('a') && c <= QLatin1Char('f'))))
            return false;
    return true;
}

} // namespace

std::string sha256Hex(std::string_view bytes)
{
    const QByteArray data = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
    return QCryptographicHash::hash(data, QCryptographicHash::Sha256).toHex().toStdString();
}

std::string programVersion()
{
    return QM_VERSION;
}

std::string manifestJson(const BackupManifest& manifest)
{
    QJsonObject parts;
    for (const auto& [name, sum] : manifest.sums)
        parts.insert(qs(name), qs(sum));
    QJsonObject root;
    root.insert(QStringLiteral("format"), QString::fromLatin1(kBackupFormat));
    root.insert(QStringLiteral("format_version"), kBackupFormatVersion);
    root.insert(QStringLiteral("scale"), qs(manifest.scale));
    root.insert(QStringLiteral("number"), manifest.number);
    root.insert(QStringLiteral("date"), qs(manifest.date));
    root.insert(QStringLiteral("program_version"), qs(manifest.programVersion));
    root.insert(QStringLiteral("parts"), parts);
    return QJsonDocument(root).toJson(QJsonDocument::Indented).toStdString();
}

std::optional<BackupManifest> parseManifest(std::string_view json, std::string& error)
{
    QJsonParseError parseError{};
    const QJsonDocument document =
        QJsonDocument::fromJson(QByteArray(json.data(), static_cast<qsizetype>(json.size())), &parseError);
    const QJsonObject root = document.object();
    if (parseError.error != QJsonParseError::NoError || !document.isObject() ||
        root.value(QStringLiteral("format")).toString() != QLatin1String(kBackupFormat)) {
        error = "manifest.json не является описанием резервной копии весов.";
        return std::nullopt;
    }
    const QJsonValue version = root.value(QStringLiteral("format_version"));
    if (!version.isDouble() || version.toInt() != kBackupFormatVersion) {
        error = "Копия сделана в формате другой версии программы.";
        return std::nullopt;
    }
    const QJsonValue number = root.value(QStringLiteral("number"));
    const QJsonValue parts = root.value(QStringLiteral("parts"));
    if (!root.value(QStringLiteral("scale")).isString() || !number.isDouble() || !parts.isObject() ||
        !root.value(QStringLiteral("date")).isString() || !root.value(QStringLiteral("program_version")).isString()) {
        error = "manifest.json неполон.";
        return std::nullopt;
    }
    BackupManifest manifest;
    manifest.scale = str(root.value(QStringLiteral("scale")).toString());
    manifest.number = number.toInt();
    manifest.date = str(root.value(QStringLiteral("date")).toString());
    manifest.programVersion = str(root.value(QStringLiteral("program_version")).toString());
    const QJsonObject sums = parts.toObject();
    for (auto it = sums.begin(); it != sums.end(); ++it) {
        if (!it.value().isString() || !isHexSum(it.value().toString())) {
            error = "manifest.json: неверная контрольная сумма файла \"" + str(it.key()) + "\".";
            return std::nullopt;
        }
        manifest.sums[str(it.key())] = str(it.value().toString());
    }
    return manifest;
}

} // namespace qm
