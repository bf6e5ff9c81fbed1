// The text writer's generated "random" texts: a hundred tables of six lines, all drawable, the same
// on every run.
#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "production/effects/Textwriter.h"
#include "production/effects/TextwriterEffect.h"

namespace {

const std::regex tableLine("([0-9]+)\\.\\.\\.\\.\\.\\.([0-9]+)\\|");

// The running numbers at the start of each line of every text, in order.
std::vector<long> runningNumbers(const std::vector<std::string>& texts) {
  std::vector<long> numbers;
  for (const std::string& text : texts) {
    for (auto line = std::sregex_iterator(text.begin(), text.end(), tableLine);
         line != std::sregex_iterator(); ++line)
      numbers.push_back(std::stol((*line)[1]));
  }
  return numbers;
}

// A new set carries on from the last set's running number until that has passed a million.
TEST(TextwriterEffectTexts, AHundredTablesOfSixLinesWhoseRunningNumberContinuesAndRestarts) {
  TextwriterEffect effect;
  effect.random();
  const std::vector<std::string>& texts = effect.getRandomTexts();
  ASSERT_EQ(texts.size(), 100u);
  const std::regex table("(([0-9]+)\\.\\.\\.\\.\\.\\.([0-9]+)\\|){6}");
  for (const std::string& text : texts) EXPECT_TRUE(std::regex_match(text, table)) << text;
  long previousLast = runningNumbers(texts).back();
  effect.random();
  EXPECT_GT(runningNumbers(effect.getRandomTexts()).front(), previousLast);
  bool restarted = false;
  for (int set = 0; set < 20 && !restarted; ++set) {
    effect.random();
    // Past a million the numbers are written in scientific form ("1.00123e+06").
    restarted = std::stod(effect.getRandomTexts().front()) < 1000.0;
  }
  EXPECT_TRUE(restarted);
}

}  // namespace
