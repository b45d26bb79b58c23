// Loading a layout file of the skin: a loose file or an entry of the skin archive.
#include "Core/SkinFile.h"
#include "Core/SkinMarkup.h"

namespace SkinUI {

namespace {

const char* Message(SkinFileStatus status) {
  switch (status) {
    case SkinFileStatus::OpenFailed: return "Error opening file";
    case SkinFileStatus::Empty: return "File is empty";
    case SkinFileStatus::TooLarge: return "File too large";
    case SkinFileStatus::ReadFailed: return "Could not read file";
    case SkinFileStatus::ZipOpenFailed: return "Error opening zip file";
    case SkinFileStatus::NotFound: return "Could not find ziped file";
    case SkinFileStatus::UnzipFailed: return "Could not unzip file";
    case SkinFileStatus::OutOfMemory: return "Out of memory";
    case SkinFileStatus::Ok: break;
  }
  return "";
}

}  // namespace

bool CSkinMarkup::LoadFile(LPCTSTR name, MarkupEncoding encoding) {
  Clear();
  ClearErrors();
  SkinBytes bytes;
  const SkinFileStatus status = ReadSkinFile(name, kMaxFileSize, &bytes);
  if (status != SkinFileStatus::Ok) return Fail(Message(status), nullptr);
  return LoadBytes(bytes.Data(), static_cast<DWORD>(bytes.Size()), encoding);
}

}  // namespace SkinUI
