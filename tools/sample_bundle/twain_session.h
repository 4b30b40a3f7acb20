// The data source's side of the TWAIN state machine, states 3 to 7, and the image job of an
// enabled session: how many images are pending and which one is current.
#pragma once

#include "twaintrace/twain_types.h"

enum TwainState : int {
  kLoaded = 3,         // not opened by an application
  kOpen = 4,           // capabilities may be negotiated
  kEnabled = 5,        // the scan job is set up
  kTransferReady = 6,  // the application was told an image is ready
  kTransferring = 7,   // an image transfer has begun
};

// A set of states, one bit per state.
using StateSet = unsigned;

constexpr StateSet States(TwainState first, TwainState last) {
  StateSet set = 0;
  for (int state = first; state <= last; ++state) set |= 1u << state;
  return set;
}

class TwainSession {
 public:
  TwainState State() const { return m_state; }
  bool In(StateSet states) const { return (states >> m_state) & 1u; }

  void Open() { m_state = kOpen; }
  void Close() { m_state = kLoaded; }
  // Starts a job of `images` images.
  void Enable(TW_UINT32 images);
  void Disable() { m_state = kOpen; }

  // True once per job, when the first image is ready to be announced.
  bool RaiseTransferReady();
  void BeginTransfer() { m_state = kTransferring; }
  // Finishes the current image; the next one is ready if any are pending. Returns how many are.
  TW_UINT32 EndTransfer();
  // Drops every pending image.
  void ResetTransfers();

  TW_UINT32 Pending() const { return m_pending; }
  // The current image within the job, from 0.
  TW_UINT32 ImageIndex() const { return m_imageIndex; }

 private:
  TwainState m_state = kLoaded;
  TW_UINT32 m_pending = 0;
  TW_UINT32 m_imageIndex = 0;
  bool m_announced = false;
};
