#pragma once
// What a load or store of a flash area came to, said in the status line in the person's
// words: areas 1 to 3 are user sets, area 0 the factory set.

// ok: the camera acknowledged.
void ReportAreaLoaded(int area, bool ok);
void ReportAreaStored(int area, bool ok);
// After "Store All": failed is the number of user sets not stored.
void ReportAllUserSetsStored(int failed);
