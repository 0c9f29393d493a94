#include "engine/state.h"

namespace orlavex {

void set_startup_values(CalcState& s) {
    s.DUT_InMatch = 1.0;
    s.DUT_OutMatch = 1.0;
    s.NS_Match = 1.15;
    s.SA_InMatch = 1.4;
    s.ExtPA_InMatch = 1.5;
    s.ENR_Unc = 0.1;
    s.SA_Noise = 11.5;
    s.Freq = 1.0;
    s.Freq2 = 2.0;
    s.DUT_Gain = 15.0;
    s.ENR = 15.0;
    s.Toff = 16.85;  // so that ToffK is 290 K
    // Levels that a manual evaluation turns back into NFsa 11.5 dB,
    // gain 15 dB and DUT noise figure 8 dB.
    s.CalON = -108.896;
    s.CalOFF = -114.0;
    s.MeasON = -94.663;
    s.MeasOFF = -102.223;
    s.DUT_NF = 8.0;
    s.ExtPA_Gain = 20.0;
    s.ExtPA_NF = 5.0;
    s.SAGainUnc = 0.15;
    s.SANFUnc = 0.05;
}

}  // namespace orlavex
