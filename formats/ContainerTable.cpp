#include "ContainerTable.h"

#include <algorithm>

namespace kiv {

namespace {

template <typename Match> const ContainerRow* FindRow(Match match) {
    for (const ContainerRow& row : kContainerRows)
        if (match(row))
            return &row;
    return nullptr;
}

} // namespace

std::span<const ContainerRow> ContainerRows() {
    return kContainerRows;
}

const ContainerRow* FindContainer(Container id) {
    return FindRow([id](const ContainerRow& row) { return row.id == id; });
}

const ContainerRow* FindContainerByFormat(std::string_view format) {
    return FindRow([format](const ContainerRow& row) { return row.format == format; });
}

const ContainerRow* FindContainerByVariant(int variant) {
    if (variant < 0)
        return nullptr;
    return FindRow([variant](const ContainerRow& row) { return row.variant == variant; });
}

std::vector<std::string_view> ExtensionsOf(const ContainerRow& row) {
    std::vector<std::string_view> extensions;
    for (std::string_view extension : {row.extension, row.soundExtension})
        if (!extension.empty())
            extensions.push_back(extension);
    std::string_view others = row.otherExtensions;
    while (!others.empty()) {
        std::size_t end = others.find(' ');
        if (end != 0)
            extensions.push_back(others.substr(0, end));
        others = end == std::string_view::npos ? std::string_view() : others.substr(end + 1);
    }
    return extensions;
}

const ContainerRow* FindContainerByExtension(std::string_view extension) {
    if (extension.empty())
        return nullptr;
    return FindRow([extension](const ContainerRow& row) {
        std::vector<std::string_view> extensions = ExtensionsOf(row);
        return std::find(extensions.begin(), extensions.end(), extension) != extensions.end();
    });
}

std::string_view SoundExtension(const ContainerRow& row) {
    return row.soundExtension.empty() ? row.extension : row.soundExtension;
}

} // namespace kiv
