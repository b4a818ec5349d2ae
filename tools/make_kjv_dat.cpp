// Builds kjv.dat from the King James text as Debian's `bible` program prints it
// (`bible -l10000 gen1:1-rev22:21`): a heading line "Book Chapter" before each chapter and one
// line "  N text" per verse. Writes kjv.dat's records (verses/VerseRecord.h) and refuses to
// write a file that fails its checks.
//
// `make_kjv_dat record BOOK CHAPTER VERSE` writes one record to standard output instead, with
// the bytes of standard input as its text: the end-to-end tests make their odd files with it.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "verses/VerseRecord.h"
#include "verses/Windows1252.h"

namespace {

struct Record {
  int book = 0, chapter = 0, verse = 0;
  std::string text;  // Windows-1252
};

bool Fail(const std::string& why) {
  std::cerr << "make_kjv_dat: " << why << "\n";
  return false;
}

bool Parse(std::istream& in, std::vector<Record>& records, int& books, int& chapters) {
  std::string line, bookName;
  int book = 0, chapter = 0, expectedVerse = 1;
  books = chapters = 0;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) continue;
    if (line[0] != ' ') {
      // "Song of Solomon 3": the chapter is the last word.
      auto space = line.find_last_of(' ');
      if (space == std::string::npos) return Fail("unexpected line: " + line);
      std::string name = line.substr(0, space);
      int number = std::atoi(line.c_str() + space + 1);
      if (number <= 0) return Fail("bad chapter heading: " + line);
      if (name != bookName) {
        bookName = name;
        ++book;
        ++books;
      }
      chapter = number;
      ++chapters;
      expectedVerse = 1;
      continue;
    }
    std::istringstream fields(line);
    int verse = 0;
    if (!(fields >> verse) || book == 0) return Fail("unexpected verse line: " + line);
    if (verse != expectedVerse) return Fail("verse out of order: " + line);
    ++expectedVerse;
    std::string text;
    std::getline(fields, text);
    std::size_t start = text.find_first_not_of(' ');
    text = start == std::string::npos ? std::string() : text.substr(start);
    // Text that Windows-1252 cannot hold would not read back as it was written.
    Record r{book, chapter, verse, vw::Utf8ToWindows1252(text)};
    if (vw::Windows1252ToUtf8(r.text) != text) return Fail("text not representable: " + line);
    if (r.text.size() > vw::kVerseTextLength) return Fail("text longer than 528 bytes: " + line);
    records.push_back(std::move(r));
  }
  return true;
}

bool Check(const std::vector<Record>& records, int books, int chapters) {
  if (books != 66) return Fail("expected 66 books, found " + std::to_string(books));
  if (chapters != 1189) return Fail("expected 1189 chapters, found " + std::to_string(chapters));
  if (records.size() != 31102)
    return Fail("expected 31102 verses, found " + std::to_string(records.size()));
  struct Known {
    std::size_t record;
    int book, chapter, verse;
  };
  for (Known k : {Known{1, 1, 1, 1}, Known{139, 1, 6, 1}, Known{2055, 2, 20, 3},
                  Known{26137, 43, 3, 16}, Known{31102, 66, 22, 21}}) {
    const Record& r = records[k.record - 1];
    if (r.book != k.book || r.chapter != k.chapter || r.verse != k.verse)
      return Fail("record " + std::to_string(k.record) + " is not the expected verse");
  }
  return true;
}

// One record to standard output, its text the bytes of standard input.
int WriteOneRecord(char** numbers) {
  std::ostringstream text;
  text << std::cin.rdbuf();
  auto number = [](const char* arg) { return static_cast<std::int16_t>(std::atoi(arg)); };
  const std::string bytes =
      vw::EncodeVerseRecord(number(numbers[0]), number(numbers[1]), number(numbers[2]), text.str());
  std::cout.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return std::cout ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 5 && std::string(argv[1]) == "record") return WriteOneRecord(argv + 2);
  if (argc != 3) {
    std::cerr << "usage: make_kjv_dat <bible-text> <kjv.dat>\n"
                 "       make_kjv_dat record <book> <chapter> <verse> <text >record\n";
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) return Fail(std::string("cannot read ") + argv[1]), 1;
  std::vector<Record> records;
  int books = 0, chapters = 0;
  if (!Parse(in, records, books, chapters) || !Check(records, books, chapters)) return 1;

  std::string bytes;
  bytes.reserve(records.size() * vw::kVerseRecordLength);
  for (const Record& r : records) {
    bytes += vw::EncodeVerseRecord(static_cast<std::int16_t>(r.book),
                                   static_cast<std::int16_t>(r.chapter),
                                   static_cast<std::int16_t>(r.verse), r.text);
  }
  const std::string target = argv[2];
  const std::string temp = target + ".tmp";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) return Fail("cannot write " + temp), 1;
  }
  if (std::rename(temp.c_str(), target.c_str()) != 0) return Fail("cannot replace " + target), 1;
  std::cout << "kjv.dat: " << records.size() << " records, " << bytes.size() << " bytes, " << books
            << " books, " << chapters << " chapters\n";
  return 0;
}
