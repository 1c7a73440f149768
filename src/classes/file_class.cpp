// The members of the class "file": an object that stands for one file by its path.
#include "class_protocol.h"
#include "objects.h"
#include "platform/files.h"
#include "plugin/calls.h"
#include "plugin/module_state.h"
#include "plugin/routines.h"
#include "text/joined_text.h"
#include "text/path_parts.h"

namespace zorvel {

constexpr std::int32_t kFileKind = 0;

ZV_ROUTINE(fileType) {
  return giveNumber(kFileKind);
}

ZV_ROUTINE(fileName) {
  TextVar name;
  fileNamePart(selfPath(), name);
  return giveText(name.c_str());
}

ZV_ROUTINE(fileExt) {
  TextVar extension;
  extensionPart(selfPath(), extension);
  return giveText(extension.c_str());
}

ZV_ROUTINE(filePath) {
  TextVar folder;
  directoryPart(selfPath(), folder);
  return host::asWord(makeFolderObject(folder.c_str()));
}

ZV_ROUTINE(fileRename) {
  TextVar newName;
  if (!takeTextArguments(newName)) return argumentCountError(1);
  PathObject* object = selfObject();
  if (!object) return kNoResult;
  TextVar folder;
  TextVar target;
  directoryPart(object->pathText, folder);
  if (!newName.present() || !folder.present() ||
      !joinText(target, {folder.c_str(), newName.c_str()}) || !fitsPath(target.c_str()) ||
      !fitsPath(object->pathText)) {
    return kNoResult;
  }
  // The new path text is made before the move, so that a file moved is never left behind by
  // an object that could not follow it. A refused move changes nothing, the object included:
  // an object naming the file that holds the new name would delete or overwrite that one next.
  char* renamed = nullptr;
  assignText(target.c_str(), &renamed);
  if (!renamed) return kNoResult;
  if (!object->pathText || !platform::MoveFileA(object->pathText, renamed)) {
    releaseText(&renamed);
    return kNoResult;
  }
  releaseText(&object->pathText);
  object->pathText = renamed;
  return kNoResult;
}

ZV_ROUTINE(fileCopy) {
  TextVar destination;
  if (!takeTextArguments(destination)) return argumentCountError(1);
  PathObject* object = selfObject();
  if (object && object->pathText && destination.present() && fitsPath(object->pathText) &&
      fitsPath(destination.c_str())) {
    platform::CopyFileA(object->pathText, destination.c_str(), platform::kFalse);
  }
  return kNoResult;
}

ZV_ROUTINE(fileRem) {
  auto* object = static_cast<PathObject*>(host::getSelfData());
  if (object && object->pathText && fitsPath(object->pathText))
    platform::DeleteFileA(object->pathText);
  return kNoResult;
}

ZV_ROUTINE(fileNew) {
  return protocol::newObject();
}
ZV_ROUTINE(fileDef) {
  return protocol::defineObject();
}
ZV_ROUTINE(fileDel) {
  return protocol::deleteObject();
}
ZV_ROUTINE(fileForm) {
  return protocol::formObject();
}
ZV_ROUTINE(fileSet) {
  return protocol::setObject(module.fileClass);
}
ZV_ROUTINE(fileFSet) {
  return protocol::fSetObject();
}

}  // namespace zorvel
