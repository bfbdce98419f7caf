// The least work a catalog of a folder can cost, as a yardstick for
// pixdeck-cli: one pass of readdir, fstatat for the matches only, one
// case-insensitive sort and one write of a page of about the same size.
//
//   catalog_floor DIRECTORY PAGE [SUFFIX...]     (default suffixes: .gif .jpg)
//
// Names match when they end in one of the suffixes, case ignored. Prints
// "count: N" like pixdeck-cli. Nothing is escaped: the folders it is timed on
// hold plain names (the blank is written as %20 in the link, as the page
// writer does).
#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Entry {
  std::string name;
  long long size;
};

bool WriteAll(int fd, const std::string& text) {
  const char* data = text.data();
  std::size_t left = text.size();
  while (left > 0) {
    const ssize_t written = ::write(fd, data, left);
    if (written <= 0)
      return false;
    data += written;
    left -= static_cast<std::size_t>(written);
  }
  return true;
}

void AppendLine(std::string& page, const std::string& line) {
  page += line;
  page += "\r\n";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s DIRECTORY PAGE [SUFFIX...]\n", argv[0]);
    return 2;
  }
  const std::string folder = argv[1];
  std::vector<std::string> suffixes(argv + 3, argv + argc);
  if (suffixes.empty())
    suffixes = {".gif", ".jpg"};

  DIR* dir = ::opendir(folder.c_str());
  if (!dir) {
    std::perror(folder.c_str());
    return 2;
  }
  const int dirFd = ::dirfd(dir);
  std::vector<Entry> entries;
  while (const dirent* item = ::readdir(dir)) {
    const std::size_t length = std::strlen(item->d_name);
    for (const std::string& suffix : suffixes) {
      if (length >= suffix.size() &&
          ::strcasecmp(item->d_name + length - suffix.size(), suffix.c_str()) == 0) {
        struct stat info {};
        if (::fstatat(dirFd, item->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0)
          entries.push_back({item->d_name, static_cast<long long>(info.st_size)});
      }
    }
  }
  ::closedir(dir);

  std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
    return ::strcasecmp(a.name.c_str(), b.name.c_str()) < 0;
  });

  const std::string title = folder + "/*.gif;*.jpg";
  std::string page;
  page.reserve(4096 + entries.size() * 96);
  AppendLine(page, "<HTML>");
  AppendLine(page, "<HEAD>");
  AppendLine(page, R"(<META HTTP-EQUIV="Content-Type" CONTENT="text/html; charset=UTF-8">)");
  AppendLine(page, "<TITLE>Images: " + title + "</TITLE>");
  AppendLine(page, "</HEAD>");
  AppendLine(page, "<BODY>");
  AppendLine(page, "<CENTER>");
  AppendLine(page, "<H1>WWW Icons and Other Images</H1>");
  AppendLine(page, "<H2>" + title + "</H2>");
  AppendLine(page, "<HR>");
  AppendLine(page, "</CENTER>");
  char digits[24];
  for (const Entry& entry : entries) {
    page += "<IMG SRC=\"";
    for (const char c : entry.name) {
      if (c == ' ')
        page += "%20";
      else
        page += c;
    }
    page += "\"><BR>";
    page += entry.name;
    page += " (";
    page.append(digits, std::to_chars(digits, digits + sizeof digits, entry.size).ptr);
    page += " bytes)<P>\r\n";
  }
  AppendLine(page, "<P>");
  AppendLine(page, "<HR>");
  AppendLine(page, "<CENTER><I>");
  AppendLine(page, "<B>Pixdeck v1.2a</B><BR>- Pixdeck -<P>");
  AppendLine(page, "You can download this program and others by visiting the");
  AppendLine(page, "authors web page at</I><BR>");
  AppendLine(
      page,
      "<A HREF=\"https://www.example.org/pixdeck/\">https://www.example.org/pixdeck/</A><BR>");
  AppendLine(page, "<I>You can also reach him by E-mail at the following address:</I>");
  AppendLine(page, "<A HREF=\"mailto:pixdeck@example.com\">pixdeck@example.com</A></CENTER>");
  AppendLine(page, "<HR>");
  AppendLine(page, "</BODY>");
  AppendLine(page, "</HTML>");

  const int fd = ::open(argv[2], O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0 || !WriteAll(fd, page) || ::close(fd) != 0) {
    std::perror(argv[2]);
    return 1;
  }
  std::printf("count: %zu\n", entries.size());
  return 0;
}
