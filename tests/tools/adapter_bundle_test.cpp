// The adapter bundle behind a test copy of the data source: it reaches the data source named in
// its target file at the first triplet, hands it every triplet and answer unchanged, and lets it
// go at unload. The whole demo session through it is in the demo host's tests.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <string>

#include "tools/sample_source.h"

namespace {

bool SampleLoaded() {
  void* sample = dlopen(SampleSource::SampleExecutable().c_str(), RTLD_NOW | RTLD_NOLOAD);
  if (sample != nullptr) dlclose(sample);
  return sample != nullptr;
}

// An absolute target; a relative one, which is the target file's neighbour, its line ending in
// CR LF; a bundle directory, reached through its executable.
TEST(AdapterBundle, HandsEveryTripletAndAnswerToItsTargetLoadedAtTheFirstTripletUntilUnload) {
  const struct {
    const char* link;  // beside the target file, to the sample's executable
    std::string target;
  } layouts[] = {{nullptr, SampleSource::SampleExecutable()},
                 {"scanner.ds", "scanner.ds\r\nnot this line"},
                 {"Scanner.ds/Contents/MacOS/Scanner", "Scanner.ds/"}};
  for (const auto& layout : layouts) {
    SCOPED_TRACE(layout.target);
    SampleSource::LayOut(/*withLogDirectory=*/false, Bundle::kAdapter, layout.target);
    if (layout.link != nullptr) {
      const std::string link =
          SampleSource::Root() + "/Halvern.bundle/Contents/Resources/" + layout.link;
      RunOrThrow("mkdir -p \"$(dirname '" + link + "')\" && ln -s '" +
                 SampleSource::SampleExecutable() + "' '" + link + "'");
    }
    EntryLibrary source(TOOLS_TEST_DS);
    EXPECT_FALSE(SampleLoaded());
    TW_IDENTITY identity{};
    EXPECT_EQ(source.Call(DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, &identity), TWRC_SUCCESS);
    EXPECT_STREQ(identity.ProductName, "Halvern Virtual Scanner");
    EXPECT_TRUE(SampleLoaded());
    // The sample's own refusal and its own reason for it come back.
    EXPECT_EQ(source.Call(DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, &identity), TWRC_FAILURE);
    EXPECT_EQ(source.ConditionCode(), TWCC_SEQERROR);
    EXPECT_EQ(source.Call(DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, &identity), TWRC_SUCCESS);
    source.Unload();
    EXPECT_FALSE(SampleLoaded());
  }
}

TEST(AdapterBundle, WithoutAUsableTargetEveryTripletFailsAndTheStatusSaysSo) {
  const std::string targets[] = {
      "",                                              // nothing named
      SampleSource::Root() + "/no/such.ds",            // nothing there
      TOOLS_ADAPTER_BUNDLE "/Contents/MacOS/Halvern",  // no DS_Entry
      TOOLS_TEST_DS,                                   // the tracing data source itself
  };
  for (const std::string& target : targets) {
    SCOPED_TRACE("target \"" + target + "\"");
    SampleSource::LayOut(/*withLogDirectory=*/false, Bundle::kAdapter, target);
    EntryLibrary source(TOOLS_TEST_DS);
    TW_IDENTITY identity{};
    EXPECT_EQ(source.Call(DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, &identity), TWRC_FAILURE);
    EXPECT_EQ(source.ConditionCode(), TWCC_BUMMER);
    EXPECT_EQ(source.Call(DG_CONTROL, DAT_IDENTITY, MSG_GET, &identity), TWRC_FAILURE);
  }
}

}  // namespace
