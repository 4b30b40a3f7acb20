// Wording shared by the text and the HTML report, so that both say the same.
#pragma once

#include <string>

#include "report/capability_model.h"
#include "report/image_transfer_model.h"
#include "report/report_model.h"

namespace report {

std::string StateText(const std::optional<int>& state);
std::string ClosedText(const Report& report);
std::string LogEndText(const Report& report);
std::string TripletCountText(const Overview& overview);
std::string RunningNumbersText(const Overview& overview);
std::string MessageCountText(const Overview& overview);
// "#00012 TWRC_SUCCESS: <value>" for one capability call; "-" when there was none.
std::string CapabilityCallText(const CapabilityOutcome& outcome);
std::string ImageInfoText(const ImagePage& page);
std::string TransferText(const ImagePage& page);
std::string PageEndText(const ImagePage& page);
std::string PageTriplets(const ImagePage& page);
// What is wrong with an entry as the log shows it; empty when nothing is.
std::string EntryProblems(const Report& report, const log_reader::Triplet& triplet);

}  // namespace report
