#include "SevenZip/SevenZipReader.h"

#include <stdio.h>

#include <cerrno>
#include <cstring>

#include "Platform/LibArchive.h"
#include "Platform/Win32.h"
#include "SevenZip/SevenZipHeader.h"

namespace SevenZip {

namespace {

// Only called once Open has found the library: every other call needs its handle.
const Platform::LibArchive& Lib() { return *Platform::LoadLibArchive(); }

WideName WideToUtf16(const wchar_t* text) {
  WideName out;
  for (; *text; ++text) {
    uint32_t c = static_cast<uint32_t>(*text);
    if (c >= 0x10000 && c <= 0x10FFFF) {
      c -= 0x10000;
      out.push_back(static_cast<WCHAR>(0xD800 + (c >> 10)));
      out.push_back(static_cast<WCHAR>(0xDC00 + (c & 0x3FF)));
    } else {
      out.push_back(static_cast<WCHAR>(c > 0x10FFFF ? 0xFFFD : c));
    }
  }
  return out;
}

WideName Utf8ToUtf16(const char* utf8) {
  WideName name;
  int length = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
  if (length > 0) {
    name.resize(static_cast<size_t>(length));
    MultiByteToWideChar(CP_UTF8, 0, utf8, -1, name.data(), length);
    name.pop_back();  // the terminator
  }
  return name;
}

WideName EntryName(archive_entry* entry) {
  const wchar_t* wide =
      Platform::LibArchiveNamesAreWide() ? Lib().entry_pathname_w(entry) : nullptr;
  const char* utf8 = wide ? nullptr : Lib().entry_pathname_utf8(entry);
  if (!wide && !utf8) wide = Lib().entry_pathname_w(entry);
  WideName name = wide ? WideToUtf16(wide) : utf8 ? Utf8ToUtf16(utf8) : WideName();
  // Folders come back with a trailing separator.
  while (!name.empty() && name.back() == u'/') name.pop_back();
  return name;
}

}  // namespace

struct SevenZipReader::Impl {
  explicit Impl(SevenZipSource& source) : source(source) {}
  ~Impl() {
    Platform::LibArchiveNameScope nameScope;
    if (handle) Lib().read_free(handle);
  }

  // The decoder may stand at the end of the bytes, which the source cannot be moved to.
  uint64_t Position() const { return atSourceEnd ? source.Size() : source.Position(); }
  bool MoveTo(uint64_t position) {
    atSourceEnd = position == source.Size();
    return atSourceEnd || source.Seek(position);
  }

  static la_ssize_t ReadCallback(archive* a, void* client, const void** buffer) {
    Impl* self = static_cast<Impl*>(client);
    size_t count = 0;
    if (self->atSourceEnd) return 0;
    if (self->source.Read(buffer, &count) && count > 0) return static_cast<la_ssize_t>(count);
    if (self->source.Position() >= self->source.Size()) return 0;  // the end of the bytes
    self->inputFailed = true;
    Lib().set_error(a, EIO, "the archive could not be read");
    return ARCHIVE_FATAL;
  }

  static la_int64_t SeekCallback(archive* a, void* client, la_int64_t offset, int whence) {
    Impl* self = static_cast<Impl*>(client);
    int64_t base = 0;
    if (whence == SEEK_CUR) base = static_cast<int64_t>(self->Position());
    if (whence == SEEK_END) base = static_cast<int64_t>(self->source.Size());
    int64_t target = 0;
    if (__builtin_add_overflow(base, offset, &target) || target < 0 ||
        !self->MoveTo(static_cast<uint64_t>(target))) {
      Lib().set_error(a, EINVAL, "seek outside the archive");
      return ARCHIVE_FATAL;
    }
    return target;
  }

  static la_int64_t SkipCallback(archive*, void* client, la_int64_t request) {
    Impl* self = static_cast<Impl*>(client);
    uint64_t position = self->Position();
    uint64_t left = self->source.Size() - position;
    uint64_t step = request < 0 ? 0 : static_cast<uint64_t>(request);
    if (step > left) step = left;
    if (!self->MoveTo(position + step)) return 0;
    return static_cast<la_int64_t>(step);
  }

  // Whether a block's coders are all ones the decoder has (unknown blocks count as such).
  bool Decodable(int64_t block) const {
    return block < 0 || static_cast<uint64_t>(block) >= layout.blockDecodable.size() ||
           layout.blockDecodable[static_cast<size_t>(block)];
  }

  SevenZipResult Fail(SevenZipError kind, int64_t block = -1) {
    int number = handle ? Lib().error_number(handle) : ENOMEM;
    if (inputFailed)
      kind = SevenZipError::Input;
    else if (number == ENOMEM)
      kind = SevenZipError::Memory;
    else if (kind == SevenZipError::Data && !Decodable(block))
      kind = SevenZipError::NotSupported;
    error = kind;
    errorText = handle && Lib().error_string(handle) ? Lib().error_string(handle) : "";
    failed = true;
    return SevenZipResult::Error;
  }

  // The name the headers store for entry `index`, when they were followed.
  const WideName* StoredName(size_t index) const {
    return index < layout.names.size() ? &layout.names[index] : nullptr;
  }

  // Reads the next header; `kind` names the error a failure stands for at this point (moving
  // on may decode the rest of the current entry's block).
  SevenZipResult ReadHeader(SevenZipError kind) {
    archive_entry* header = nullptr;
    int status = Lib().read_next_header(handle, &header);
    size_t index = nextIndex;
    if (status == ARCHIVE_EOF) {
      // The decoder ends early only on headers it read leniently.
      if (layoutKnown && index < layout.blockOf.size()) {
        Lib().set_error(handle, EINVAL, "fewer entries than the header lists");
        return Fail(SevenZipError::Format);
      }
      return SevenZipResult::End;
    }
    const WideName* stored = StoredName(index);
    // A name that cannot be converted is a warning of the decoder; such an entry comes with
    // its stored name, for the caller to refuse.
    bool badName = status == ARCHIVE_WARN && stored && HasLoneSurrogate(*stored);
    if (status != ARCHIVE_OK && !badName) return Fail(kind, current.block);
    ++nextIndex;
    if (names) current.name = badName ? *stored : EntryName(header);
    current.block = index < layout.blockOf.size() ? layout.blockOf[index] : -1;
    current.isDirectory = Lib().entry_filetype(header) == AE_IFDIR;
    current.permissions = Lib().entry_perm(header) & 0777;
    current.size =
        Lib().entry_size(header) > 0 ? static_cast<uint64_t>(Lib().entry_size(header)) : 0;
    linkText.clear();
    linkServed = true;
    if (Lib().entry_filetype(header) == AE_IFLNK) {
      // The decoder keeps a link's stored bytes (its target) for itself: hand them out as the
      // entry's content, as the archive holds them.
      const char* target = Lib().entry_symlink_utf8(header);
      linkText = target ? target : "";
      linkServed = false;
      current.size = linkText.size();
    }
    if (current.isDirectory) current.size = 0;
    return SevenZipResult::Ok;
  }

  SevenZipSource& source;
  bool atSourceEnd = false;
  bool names = true;     // entries come with their names
  bool checked = false;  // the header check below has been made
  SevenZipHeaderCheck check = SevenZipHeaderCheck::NotUnderstood;
  SevenZipLayout layout;
  bool layoutKnown = false;
  size_t nextIndex = 0;  // the index of the entry the next header read gives
  archive* handle = nullptr;
  SevenZipEntry current;
  std::string linkText;
  bool linkServed = true;
  bool firstPending = false;
  bool atEnd = false;
  bool failed = false;
  bool inputFailed = false;
  SevenZipError error = SevenZipError::None;
  std::string errorText;
};

SevenZipReader::SevenZipReader(SevenZipSource& source, bool names)
    : m_impl(std::make_unique<Impl>(source)) {
  m_impl->names = names;
}

SevenZipReader::~SevenZipReader() = default;

SevenZipResult SevenZipReader::Open() {
  Impl& d = *m_impl;
  if (d.handle || d.failed) return d.Fail(SevenZipError::Format);
  d.check = CheckSevenZipHeader(d.source, &d.layout);
  return OpenChecked();
}

SevenZipResult SevenZipReader::Open(const SevenZipReader& checked) {
  Impl& d = *m_impl;
  const Impl& other = *checked.m_impl;
  if (!other.checked) return Open();
  if (d.handle || d.failed) return d.Fail(SevenZipError::Format);
  d.check = other.check;
  d.layout = other.layout;
  return OpenChecked();
}

SevenZipResult SevenZipReader::OpenChecked() {
  Platform::LibArchiveNameScope nameScope;
  Impl& d = *m_impl;
  const SevenZipHeaderCheck check = d.check;
  d.checked = true;
  d.layoutKnown = check == SevenZipHeaderCheck::Sound;
  if (!Platform::LoadLibArchive()) {
    d.error = SevenZipError::NotSupported;
    d.errorText = "the 7z decoder library could not be loaded";
    d.failed = true;
    return SevenZipResult::Error;
  }
  d.handle = Lib().read_new();
  if (!d.handle) return d.Fail(SevenZipError::Memory);
  if (check == SevenZipHeaderCheck::Unreadable) {
    d.inputFailed = true;
    Lib().set_error(d.handle, EIO, "the archive could not be read");
    return d.Fail(SevenZipError::Input);
  }
  if (check == SevenZipHeaderCheck::Malformed) {
    Lib().set_error(d.handle, EINVAL, "malformed 7z headers");
    return d.Fail(SevenZipError::Format);
  }
  if (!d.source.Seek(0)) return d.Fail(SevenZipError::Input);
  Lib().read_support_format_7zip(d.handle);
  Lib().read_set_callback_data(d.handle, &d);
  Lib().read_set_read_callback(d.handle, &Impl::ReadCallback);
  Lib().read_set_seek_callback(d.handle, &Impl::SeekCallback);
  Lib().read_set_skip_callback(d.handle, &Impl::SkipCallback);
  if (Lib().read_open1(d.handle) != ARCHIVE_OK) return d.Fail(SevenZipError::Format);
  // The header database is read with the first entry: a damaged one is a format error.
  SevenZipResult first = d.ReadHeader(SevenZipError::Format);
  if (first == SevenZipResult::Error) return first;
  d.firstPending = first == SevenZipResult::Ok;
  d.atEnd = first == SevenZipResult::End;
  return SevenZipResult::Ok;
}

SevenZipResult SevenZipReader::NextEntry(SevenZipEntry* entry) {
  Platform::LibArchiveNameScope nameScope;
  Impl& d = *m_impl;
  if (d.failed || !d.handle) return SevenZipResult::Error;
  if (d.atEnd) return SevenZipResult::End;
  SevenZipResult result = SevenZipResult::Ok;
  if (d.firstPending) {
    d.firstPending = false;
  } else {
    // Moving on skips the rest of the current entry, which may mean decoding it.
    result = d.ReadHeader(SevenZipError::Data);
  }
  if (result == SevenZipResult::End) d.atEnd = true;
  if (result == SevenZipResult::Ok) *entry = d.current;
  return result;
}

SevenZipResult SevenZipReader::ReadData(const void** data, size_t* count) {
  Platform::LibArchiveNameScope nameScope;
  Impl& d = *m_impl;
  *data = nullptr;
  *count = 0;
  if (d.failed || !d.handle) return SevenZipResult::Error;
  if (!d.linkServed) {
    d.linkServed = true;
    if (!d.linkText.empty()) {
      *data = d.linkText.data();
      *count = d.linkText.size();
      return SevenZipResult::Ok;
    }
  }
  la_int64_t offset = 0;
  int status = Lib().read_data_block(d.handle, data, count, &offset);
  if (status == ARCHIVE_EOF) {
    *count = 0;
    return SevenZipResult::End;
  }
  if (status != ARCHIVE_OK) {
    *data = nullptr;
    *count = 0;
    return d.Fail(SevenZipError::Data, d.current.block);
  }
  return SevenZipResult::Ok;
}

bool SevenZipReader::LayoutKnown() const { return m_impl->layoutKnown; }

const std::vector<uint64_t>& SevenZipReader::EntrySizes() const {
  static const std::vector<uint64_t> none;
  return m_impl->layoutKnown ? m_impl->layout.sizes : none;
}

const std::vector<int64_t>& SevenZipReader::EntryBlocks() const {
  static const std::vector<int64_t> none;
  return m_impl->layoutKnown ? m_impl->layout.blockOf : none;
}

SevenZipError SevenZipReader::LastError() const { return m_impl->error; }

std::string SevenZipReader::LastErrorText() const { return m_impl->errorText; }

}  // namespace SevenZip
