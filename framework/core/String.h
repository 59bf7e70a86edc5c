#pragma once
// The framework's text: a reference-counted, copy-on-write string of Windows-1252 characters.
// Copies share one buffer until one of them changes; the empty string never allocates.
#include <cstdarg>
#include <cstdint>

class String {
 public:
  String() noexcept;
  String(const String& other) noexcept;
  String(String&& other) noexcept;
  String(const char* text);  // null gives the empty string
  // Loads entry `id` of the asset module's string table; ids outside 0..0xFFFF give empty.
  explicit String(int id);
  String(char c, int count);
  ~String();

  String& operator=(const String& other) noexcept;
  String& operator=(String&& other) noexcept;
  String& operator=(const char* text);
  void Assign(const char* text, int n);  // exactly n bytes
  void AssignWide(const char16_t* text);
  void AssignWide(const char16_t* text, int n);  // the first min(n, length of text) units

  const char* CStr() const { return chars_; }
  int Length() const { return Rep()->length; }
  bool IsEmpty() const { return Rep()->length == 0; }
  char operator[](int index) const { return chars_[index]; }
  bool operator==(const String& other) const;
  bool operator==(const char* text) const;
  // Compares letters A-Z without regard to case, as option and settings names are compared.
  bool EqualsNoCase(const char* text) const;

  friend String operator+(const String& a, const String& b);
  friend String operator+(const String& a, const char* b);
  void Append(int n, const char* text);
  String& operator+=(const char* text);
  String& operator+=(char c);
  String& operator+=(const String& other);

  // A writable buffer of at least `minimumLength` characters holding the text; end the write
  // with ReleaseBuffer.
  char* GetBuffer(int minimumLength);
  void ReleaseBuffer(int newLength = -1);  // -1: up to the first NUL

  String Mid(int position) const;
  String MidCount(int position, int count) const;
  String Left(int n) const;
  // Index of the first character at or after `position` that is one of `characters`, or -1.
  int Find(int position, const char* characters) const;
  // The text from *position up to the next separator; *position moves past that separator.
  String Tokenize(char separator, int* position) const;
  void MakeReverse();

  int InsertChar(int position, char c);  // answers the new length
  void Insert(int position, const char* text);
  void Delete(int position, int count);
  void TrimRight();
  void TrimLeft();
  void Empty();

  int ToInt() const;  // hexadecimal after an "x", else decimal
  long ToLong() const;
  unsigned long ToULong() const;

  // String-table entries of the executable and of the asset module; false when empty/missing.
  bool LoadExeString(int id);
  bool LoadResString(int id);

  void FormatV(const char* format, va_list args);
  void Format(const char* format, ...) __attribute__((format(printf, 2, 3)));
  void FormatExeString(int id, ...);
  void FormatResString(int id, ...);
  void FormatNumber(int value);  // the locale's thousands grouping
  void FormatTime(int hours, int minutes, int seconds);  // "H:mm:ss"
  void FormatSeconds(int seconds);

 private:
  struct Header {
    int32_t refs;
    int32_t length;
    int32_t capacity;
  };

  Header* Rep() const { return reinterpret_cast<Header*>(chars_) - 1; }
  bool IsShared() const;
  static char* Allocate(int capacity);
  static String Concat(const String& a, const char* b, int lengthB);
  static void Release(char* chars);
  void CopyBeforeWrite();
  void AllocBeforeWrite(int n);
  void SetLength(int length);
  void InsertBytes(int position, const char* data, int n);

  char* chars_;
};

// Converts UTF-16 text into `destination` (at most `size` bytes, NUL included). Answers the
// bytes stored with the NUL; 0 when there is no room at all.
int WideToAnsi(char* destination, const char16_t* text, int size);
