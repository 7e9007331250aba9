#include "PageData.h"

extern const PageDef kPageUserA;
extern const PageDef kPageUserB;
extern const PageDef kPageUserC;
extern const PageDef kPageUserD;
extern const PageDef kPageLensIris;
extern const PageDef kPageUserE;
extern const PageDef kPageFactoryA;

const PageDef& PageDefinition(int pageIndex)
{
    static const PageDef* const pages[kPageCount] = {&kPageUserA, &kPageUserB, &kPageUserC, &kPageUserD,
                                                     &kPageLensIris, &kPageUserE, &kPageFactoryA};
    return *pages[pageIndex];
}
