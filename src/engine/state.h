// The calculator state: every named value of the main window that the
// recalculation reads and writes, in the units the entry fields show.
#pragma once

#include "core/classic.h"

#include <string>

namespace orlavex {

struct CalcState {
    // Inputs, one per entry field (SA_InMatch and ExtPA_InMatch share one).
    double DUT_InMatch = 0;  // VSWR or dB return loss
    double DUT_OutMatch = 0;
    double NS_Match = 0;
    double SA_InMatch = 0;     // analyzer input, used while "Ext PA" is off
    double ExtPA_InMatch = 0;  // external preamplifier input, used while it is on
    double ENR_Unc = 0;        // dB
    double SA_Noise = 0;       // dB noise figure, or dBm/Hz noise level
    double Freq = 0;           // GHz, measurement (input) frequency
    double Freq2 = 0;          // GHz, output frequency of a converting DUT
    double DUT_Gain = 0;       // dB
    double ENR = 0;            // dB
    double Toff = 0;           // degrees C, the noise source's off temperature
    double CalON = 0;          // dBm, manual levels
    double CalOFF = 0;
    double MeasON = 0;
    double MeasOFF = 0;
    double DUT_NF = 0;      // dB
    double ExtPA_Gain = 0;  // dB
    double ExtPA_NF = 0;    // dB
    double SAGainUnc = 0;   // dB
    double SANFUnc = 0;     // dB

    // Limits and flags.
    std::string VersionText;
    std::string VersionDate;
    double RL_Max = 0;      // dB, upper bound of every return loss
    double SA_FreqMax = 0;  // GHz, 999 for the user-defined analyzer
    double NS_FreqMax = 0;  // GHz, 999 for the user-defined noise source
    double FreqMax = 0;     // GHz, upper bound of Freq
    bool FormReady = false;
    double StepSize = 0;  // keyboard step

    // Derived values kept between procedures.
    double DUT_InGamma = 0;
    double DUT_OutGamma = 0;
    double SA_InGamma = 0;
    double NS_Gamma = 0;
    double ToffK = 0;
    double NF_Unc = 0;   // dB; 999 means no uncertainty is available
    double NF_Bias = 0;  // dB
};

// The marker of an unavailable uncertainty.
inline constexpr double no_uncertainty = core::no_uncertainty;

// Sets the 21 input values to their start-up values; nothing else.
void set_startup_values(CalcState& s);

}  // namespace orlavex
