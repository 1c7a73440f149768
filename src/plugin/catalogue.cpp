#include "catalogue.h"

#include <iterator>

#include "function_table.h"
#include "routines.h"

namespace zorvel {
namespace {

constexpr abi::TableKind F = abi::kTableFunction;
constexpr abi::TableKind G = abi::kTableGroup;
constexpr abi::TableKind E = abi::kTableEnd;

// Each table's order is fixed: the host registers the names in this order.
constexpr CatalogEntry kFileCatalog[] = {
    {F, "type", fileType},
    {F, "name", fileName},
    {F, "ext", fileExt},
    {F, "path", filePath},
    {F, "rename", fileRename},
    {F, "copy", fileCopy},
    {F, "rem", fileRem},
    {F, "_new", fileNew},
    {F, "_def", fileDef},
    {F, "_del", fileDel},
    {F, "_form", fileForm},
    {F, "_set", fileSet},
    {F, "_fSet", fileFSet},
    {E, nullptr, nullptr},
};

constexpr CatalogEntry kFolderCatalog[] = {
    {F, "type", folderType},
    {F, "name", folderName},
    {F, "down", folderDown},
    {F, "up", folderUp},
    {F, "copy", folderCopy},
    {F, "files", folderFiles},
    {F, "exp", folderExp},
    {F, "_new", folderNew},
    {F, "_def", folderDef},
    {F, "_del", folderDel},
    {F, "_form", folderForm},
    {F, "_set", folderSet},
    {F, "_fSet", folderFSet},
    {F, "_add", folderAdd},
    {E, nullptr, nullptr},
};

constexpr CatalogEntry kRootCatalog[] = {
    {G, "dir", nullptr},
    {F, "desk", dirDesk},
    {F, "home", dirHome},
    {F, "docs", dirDocs},
    {F, "progs", dirProgs},
    {F, "up", dirUp},
    {F, "down", dirDown},
    {F, "sel", dirSel},
    {F, "set", dirSet},
    {F, "get", dirGet},
    {E, nullptr, nullptr},
    {G, "env", nullptr},
    {F, "set", envSet},
    {F, "get", envGet},
    {F, "all", envAll},
    {F, "showAll", envShowAll},
    {E, nullptr, nullptr},
    {G, "clip", nullptr},
    {F, "set", clipSet},
    {F, "get", clipGet},
    {E, nullptr, nullptr},
    {F, "run", run},
    {F, "web", web},
    {F, "link", link},
    {F, "webLink", webLink},
    {F, "selFile", selFile},
    {F, "selFolder", selFolder},
    {F, "standby", standby},
    {G, "job", nullptr},
    {E, nullptr, nullptr},
    {E, nullptr, nullptr},
};

template <std::size_t Count>
TableBytes build(const CatalogEntry (&entries)[Count], unsigned char* storage, std::size_t capacity,
                 bool& built) {
  if (!built) built = writeFunctionTable(entries, Count, storage, capacity) != 0;
  return {storage, functionTableSize(entries, Count)};
}

#define ZV_TABLE(function, catalogue)                                     \
  TableBytes function() {                                                 \
    static unsigned char bytes[functionTableSize(catalogue, std::size(catalogue))]; \
    static bool built = false;                                            \
    return build(catalogue, bytes, sizeof bytes, built);                  \
  }

}  // namespace

ZV_TABLE(fileTable, kFileCatalog)
ZV_TABLE(folderTable, kFolderCatalog)
ZV_TABLE(rootTable, kRootCatalog)

}  // namespace zorvel
