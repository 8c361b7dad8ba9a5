#include "settings/ini_text.h"

#include <cstring>
#include <new>

namespace {

const char kLineEnd[] = "\r\n";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// The bytes [begin, end) without the blanks around them equal `name`, ASCII
// letters without regard to case. Double-byte text never matches an ASCII
// name by accident: no trail byte is a blank.
bool SpanIs(const char* begin, const char* end, const char* name) {
  while (begin < end && IsBlank(*begin)) ++begin;
  while (end > begin && IsBlank(end[-1])) --end;
  size_t length = strlen(name);
  if (static_cast<size_t>(end - begin) != length) return false;
  for (size_t i = 0; i < length; ++i) {
    if (Lower(begin[i]) != Lower(name[i])) return false;
  }
  return true;
}

// One line of the text: [start, end) its bytes, `next` where the next begins.
struct Line {
  size_t start;
  size_t end;
  size_t next;
};

Line LineAt(const char* text, size_t size, size_t start) {
  const void* newline = memchr(text + start, '\n', size - start);
  size_t next = newline ? static_cast<size_t>(static_cast<const char*>(newline) - text) + 1 : size;
  size_t end = next;
  if (end > start && text[end - 1] == '\n') --end;
  if (end > start && text[end - 1] == '\r') --end;
  return Line{start, end, next};
}

const char* FirstNonBlank(const char* text, const Line& line) {
  const char* p = text + line.start;
  while (p < text + line.end && IsBlank(*p)) ++p;
  return p;
}

// A section header's name, from after '[' to the last ']'.
bool IsHeader(const char* text, const Line& line, const char** name, const char** nameEnd) {
  const char* p = FirstNonBlank(text, line);
  if (p == text + line.end || *p != '[') return false;
  const char* close = text + line.end;
  while (close > p + 1 && close[-1] != ']') --close;
  *name = p + 1;
  *nameEnd = close > p + 1 ? close - 1 : text + line.end;
  return true;
}

// A key line's name, before its first '=' ('=' is never a trail byte).
bool IsKeyLine(const char* text, const Line& line, const char* key) {
  const char* p = FirstNonBlank(text, line);
  const void* equals = memchr(p, '=', static_cast<size_t>(text + line.end - p));
  return equals && SpanIs(p, static_cast<const char*>(equals), key);
}

// Where the first section of a name lies: its header line starts at
// `header`, its lines run from `body` to `end` (the next header or the end).
struct Section {
  bool found;
  size_t header;
  size_t body;
  size_t end;
};

Section FindSection(const char* text, size_t size, const char* section) {
  Section found{false, 0, 0, size};
  for (size_t at = 0; at < size;) {
    Line line = LineAt(text, size, at);
    const char* name;
    const char* nameEnd;
    if (IsHeader(text, line, &name, &nameEnd)) {
      if (found.found) {
        found.end = line.start;
        return found;
      }
      if (SpanIs(name, nameEnd, section)) found = Section{true, line.start, line.next, size};
    }
    at = line.next;
  }
  return found;
}

// After the section's last line that is not blank: where a new key goes.
size_t AfterLastLine(const char* text, const Section& section) {
  size_t after = section.body;
  for (size_t at = section.body; at < section.end;) {
    Line line = LineAt(text, section.end, at);
    if (FirstNonBlank(text, line) != text + line.end) after = line.next;
    at = line.next;
  }
  return after;
}

size_t LineLength(const char* text) {
  size_t length = 0;
  while (text[length] && text[length] != '\r' && text[length] != '\n') ++length;
  return length;
}

// A small owned byte string built piece by piece; `ok` turns false for good
// once memory runs out.
class Piece {
 public:
  Piece() : data_(nullptr), size_(0), capacity_(0), ok_(true) {}
  ~Piece() { delete[] data_; }
  Piece(const Piece&) = delete;
  Piece& operator=(const Piece&) = delete;
  void Add(const char* bytes, size_t count) {
    if (!ok_ || count == 0) return;
    if (size_ + count > capacity_) {
      size_t capacity = (size_ + count) * 2;
      char* grown = new (std::nothrow) char[capacity];
      if (!grown) {
        ok_ = false;
        return;
      }
      if (size_) memcpy(grown, data_, size_);
      delete[] data_;
      data_ = grown;
      capacity_ = capacity;
    }
    memcpy(data_ + size_, bytes, count);
    size_ += count;
  }
  void Add(const char* text) { Add(text, strlen(text)); }
  // "key=value" and a line end.
  void AddKeyLine(const char* key, const char* value, size_t valueLength) {
    Add(key);
    Add("=", 1);
    Add(value, valueLength);
    Add(kLineEnd);
  }
  const char* data() const { return data_; }
  size_t size() const { return size_; }
  bool ok() const { return ok_; }

 private:
  char* data_;
  size_t size_;
  size_t capacity_;
  bool ok_;
};

}  // namespace

IniText::IniText() : data_(nullptr), size_(0), capacity_(0) {}

IniText::~IniText() { delete[] data_; }

bool IniText::Assign(const char* bytes, size_t size) { return Splice(0, size_, bytes, size); }

bool IniText::Splice(size_t at, size_t length, const char* with, size_t count) {
  size_t size = size_ - length + count;
  if (size > capacity_) {
    size_t capacity = size + size / 4 + 256;  // room for the next few edits
    char* grown = new (std::nothrow) char[capacity];
    if (!grown) return false;
    if (at) memcpy(grown, data_, at);
    if (count) memcpy(grown + at, with, count);
    if (size_ > at + length) memcpy(grown + at + count, data_ + at + length, size_ - at - length);
    delete[] data_;
    data_ = grown;
    capacity_ = capacity;
  } else {
    if (size_ > at + length) memmove(data_ + at + count, data_ + at + length, size_ - at - length);
    if (count) memcpy(data_ + at, with, count);
  }
  size_ = size;
  return true;
}

bool IniText::SetValue(const char* section, const char* key, const char* value) {
  Section found = FindSection(data_, size_, section);
  if (!key) return !found.found || Splice(found.header, found.end - found.header, nullptr, 0);

  Piece line;
  if (value) line.AddKeyLine(key, value, LineLength(value));
  if (!line.ok()) return false;
  if (found.found) {
    for (size_t at = found.body; at < found.end;) {
      Line current = LineAt(data_, found.end, at);
      if (IsKeyLine(data_, current, key)) {
        return Splice(current.start, current.next - current.start, line.data(), line.size());
      }
      at = current.next;
    }
    if (!value) return true;
    size_t after = AfterLastLine(data_, found);
    Piece insert;
    if (after > 0 && data_[after - 1] != '\n') insert.Add(kLineEnd);  // a last line without its end
    insert.Add(line.data(), line.size());
    return insert.ok() && Splice(after, 0, insert.data(), insert.size());
  }
  if (!value) return true;
  return AppendSection(section, line.data(), line.size());
}

bool IniText::AppendSection(const char* section, const char* lines, size_t count) {
  Piece append;
  if (size_ > 0 && data_[size_ - 1] != '\n') append.Add(kLineEnd);  // a last line without its end
  append.Add("[");
  append.Add(section);
  append.Add("]");
  append.Add(kLineEnd);
  append.Add(lines, count);
  return append.ok() && Splice(size_, 0, append.data(), append.size());
}

bool IniText::SetSection(const char* section, const char* lines) {
  Piece body;
  for (const char* p = lines; *p; p += strlen(p) + 1) {
    body.Add(p, LineLength(p));
    body.Add(kLineEnd);
  }
  if (!body.ok()) return false;
  Section found = FindSection(data_, size_, section);
  if (found.found) return Splice(found.body, found.end - found.body, body.data(), body.size());
  return AppendSection(section, body.data(), body.size());
}
