// Damaged and hostile input files: the promises the readers keep for any bytes whatever (the
// same checks the fuzz targets of tests/fuzz run), on the seed corpus of those targets.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/fuzz/readerchecks.h"
#include "tests/support/tempdir.h"

namespace statorium {
namespace {

using Check = std::string (*)(const std::string&, std::string_view);

struct Corpus {
  const char* folder;
  Check check;
};

const Corpus kCorpora[] = {
    {"textsample", &fuzz::checkTextSample},
    {"csv", &fuzz::checkCsv},
    {"statobject", &fuzz::checkStatobject},
};

TEST(HostileFiles, SeedCorpusKeepsEveryPromise) {
  const std::filesystem::path root =
      std::filesystem::path(__FILE__).parent_path().parent_path() / "fuzz" / "corpus";
  test::TempDir dir;
  for (const Corpus& c : kCorpora) {
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(root / c.folder)) {
      SCOPED_TRACE(entry.path().string());
      EXPECT_EQ(c.check(dir.path().string(), test::TempDir::read(entry.path().string())), "");
      ++files;
    }
    // Valid and damaged files of each format; none found means the corpus was not found.
    EXPECT_GE(files, 5) << c.folder;
  }
}

}  // namespace
}  // namespace statorium
