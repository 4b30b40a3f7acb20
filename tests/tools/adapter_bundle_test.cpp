// The adapter bundle behind a test copy of the data source: it reaches the data source named in
// its target file at the first triplet, hands it every triplet and answer unchanged, and lets it
// go at unload. The whole demo session through it is in the demo host's tests.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <string>

#include "tools/sample_source.h"

namespace {

// The data source with the adapter bundle as its implementation bundle, not called yet.
class AdaptedSource {
 public:
  explicit AdaptedSource(const std::string& target) {
    SampleSource::LayOut(/*withLogDirectory=*/false, Bundle::kAdapter, target);
  }
  ~AdaptedSource() { Unload(); }

  void Load() {
    library_ = dlopen(TOOLS_TEST_DS, RTLD_NOW | RTLD_LOCAL);
    if (library_ == nullptr) throw std::runtime_error(dlerror());
    entry_ = reinterpret_cast<Entry>(dlsym(library_, "DS_Entry"));
  }
  void Unload() {
    if (library_ != nullptr) dlclose(library_);
    library_ = nullptr;
  }
  TW_UINT16 Call(TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data) {
    return entry_(&application_, dg, dat, msg, data);
  }
  TW_UINT16 ConditionCode() {
    TW_STATUS status{};
    status.ConditionCode = 0xFFFF;
    EXPECT_EQ(Call(DG_CONTROL, DAT_STATUS, MSG_GET, &status), TWRC_SUCCESS);
    return status.ConditionCode;
  }

  static std::string Resources() {
    return SampleSource::Root() + "/Halvern.bundle/Contents/Resources";
  }

 private:
  using Entry = TW_UINT16 (*)(TW_IDENTITY*, TW_UINT32, TW_UINT16, TW_UINT16, TW_MEMREF);
  void* library_ = nullptr;
  Entry entry_ = nullptr;
  TW_IDENTITY application_{};
};

bool SampleLoaded() {
  void* sample = dlopen(SampleSource::SampleExecutable().c_str(), RTLD_NOW | RTLD_NOLOAD);
  if (sample != nullptr) dlclose(sample);
  return sample != nullptr;
}

TEST(AdapterBundle, LoadsItsTargetAtTheFirstTripletAndLetsItGoAtUnload) {
  AdaptedSource source(SampleSource::SampleExecutable());
  source.Load();
  EXPECT_FALSE(SampleLoaded());
  TW_IDENTITY identity{};
  ASSERT_EQ(source.Call(DG_CONTROL, DAT_IDENTITY, MSG_GET, &identity), TWRC_SUCCESS);
  EXPECT_STREQ(identity.ProductName, "Halvern Virtual Scanner");
  EXPECT_TRUE(SampleLoaded());
  source.Unload();
  EXPECT_FALSE(SampleLoaded());
}

TEST(AdapterBundle, HandsOverEveryTripletAndAnswerUnchanged) {
  // A relative path is the target file's neighbour; the line may end in CR LF.
  AdaptedSource source("");
  ASSERT_EQ(system(("ln -s '" + SampleSource::SampleExecutable() + "' '" +
                    AdaptedSource::Resources() + "/scanner.ds'")
                       .c_str()),
            0);
  std::ofstream(AdaptedSource::Resources() + "/target") << "scanner.ds\r\nnot this line\n";
  source.Load();
  TW_IDENTITY identity{};
  EXPECT_EQ(source.Call(DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, &identity), TWRC_SUCCESS);
  // The sample's own refusal and its own reason for it come back.
  TW_PALETTE8 palette{};
  EXPECT_EQ(source.Call(DG_IMAGE, DAT_PALETTE8, MSG_GET, &palette), TWRC_FAILURE);
  EXPECT_EQ(source.ConditionCode(), TWCC_BADPROTOCOL);
  EXPECT_EQ(source.Call(DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, &identity), TWRC_FAILURE);
  EXPECT_EQ(source.ConditionCode(), TWCC_SEQERROR);
  EXPECT_EQ(source.Call(DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, &identity), TWRC_SUCCESS);
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
    AdaptedSource source(target);
    source.Load();
    TW_IDENTITY identity{};
    EXPECT_EQ(source.Call(DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, &identity), TWRC_FAILURE);
    EXPECT_EQ(source.ConditionCode(), TWCC_BUMMER);
    EXPECT_EQ(source.Call(DG_CONTROL, DAT_IDENTITY, MSG_GET, &identity), TWRC_FAILURE);
  }
}

}  // namespace
