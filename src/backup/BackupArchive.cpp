#include "backup/BackupArchive.h"

#include <zip.h>

#include <memory>

namespace qm
{

namespace
{

const char* const kNotArchive = "Файл не является архивом ZIP или поврежден.";

std::string errorText(zip_error_t* error)
{
    const char* text = zip_error_strerror(error);
    return text ? text : "libzip";
}

// The whole content of a buffer source that an archive was written into.
std::optional<std::string> sourceBytes(zip_source_t* source, std::string& error)
{
    if (zip_source_open(source) < 0) {
        error = errorText(zip_source_error(source));
        return std::nullopt;
    }
    std::string bytes;
    char buffer[1 << 16];
    for (;;) {
        const zip_int64_t n = zip_source_read(source, buffer, sizeof buffer);
        if (n < 0) {
            error = errorText(zip_source_error(source));
            zip_source_close(source);
            return std::nullopt;
        }
        if (n == 0)
            break;
        bytes.append(buffer, static_cast<size_t>(n));
    }
    zip_source_close(source);
    return bytes;
}

struct ArchiveCloser {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
struct FileCloser {
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};

} // namespace

std::optional<std::string> zipArchive(const std::vector<ArchivePart>& parts, std::string& error)
{
    zip_error_t zipError;
    zip_error_init(&zipError);
    zip_source_t* target = zip_source_buffer_create(nullptr, 0, 0, &zipError);
    if (!target) {
        error = errorText(&zipError);
        zip_error_fini(&zipError);
        return std::nullopt;
    }
    // Kept past zip_close, which writes the archive into it.
    zip_source_keep(target);
    zip_t* archive = zip_open_from_source(target, ZIP_TRUNCATE, &zipError);
    if (!archive) {
        error = errorText(&zipError);
        zip_error_fini(&zipError);
        zip_source_free(target);
        return std::nullopt;
    }
    zip_error_fini(&zipError);
    for (const ArchivePart& part : parts) {
        // The part's bytes stay with the caller until zip_close has read them.
        zip_source_t* source = zip_source_buffer(archive, part.bytes.data(), part.bytes.size(), 0);
        if (!source || zip_file_add(archive, part.name.c_str(), source, ZIP_FL_ENC_UTF_8) < 0) {
            if (source)
                zip_source_free(source);
            error = zip_strerror(archive);
            zip_discard(archive);
            zip_source_free(target);
            return std::nullopt;
        }
    }
    if (zip_close(archive) < 0) {
        error = zip_strerror(archive);
        zip_discard(archive);
        zip_source_free(target);
        return std::nullopt;
    }
    auto bytes = sourceBytes(target, error);
    zip_source_free(target);
    return bytes;
}

ArchiveRead unzipArchive(std::string_view bytes, size_t maxParts, size_t maxPartBytes)
{
    ArchiveRead read;
    zip_error_t zipError;
    zip_error_init(&zipError);
    zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &zipError);
    zip_t* opened = source ? zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &zipError) : nullptr;
    zip_error_fini(&zipError);
    if (!opened) {
        if (source)
            zip_source_free(source);
        read.error = kNotArchive;
        return read;
    }
    // The archive owns its source from here on.
    std::unique_ptr<zip_t, ArchiveCloser> archive(opened);
    const zip_int64_t entries = zip_get_num_entries(opened, 0);
    if (entries < 0 || static_cast<size_t>(entries) > maxParts) {
        read.error = "Архив содержит лишние файлы: это не резервная копия весов.";
        return read;
    }
    for (zip_int64_t i = 0; i < entries; ++i) {
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat_index(opened, static_cast<zip_uint64_t>(i), 0, &stat) < 0 || !(stat.valid & ZIP_STAT_NAME)) {
            read.error = kNotArchive;
            read.parts.clear();
            return read;
        }
        const std::string name = stat.name;
        if ((stat.valid & ZIP_STAT_SIZE) && stat.size > maxPartBytes) {
            read.error = "Файл \"" + name + "\" в архиве слишком велик.";
            read.parts.clear();
            return read;
        }
        std::unique_ptr<zip_file_t, FileCloser> file(zip_fopen_index(opened, static_cast<zip_uint64_t>(i), 0));
        ArchivePart part{name, {}};
        bool ok = static_cast<bool>(file);
        char buffer[1 << 16];
        // Read to the end, so that the library checks the CRC; never more than the limit.
        while (ok) {
            const zip_int64_t n = zip_fread(file.get(), buffer, sizeof buffer);
            if (n < 0)
                ok = false;
            else if (n == 0)
                break;
            else if (part.bytes.size() + static_cast<size_t>(n) > maxPartBytes) {
                read.error = "Файл \"" + name + "\" в архиве слишком велик.";
                read.parts.clear();
                return read;
            } else
                part.bytes.append(buffer, static_cast<size_t>(n));
        }
        if (!ok) {
            read.error = "Файл \"" + name + "\" в архиве поврежден.";
            read.parts.clear();
            return read;
        }
        read.parts.push_back(std::move(part));
    }
    return read;
}

} // namespace qm
