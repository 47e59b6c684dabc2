#pragma once
// What kind of shell item a node or row stands for.
enum TShVirtuaItem : unsigned {
    itUnknown,
    itDeskTop,
    itMyComputer,
    itRootDrive,
    itFolder,
    itFile,
    itBitBucket,
    itNetWork,
    itVirtual,
    itInterNet,
    itControls,
};

// A set of kinds, one bit each.
using TShVirtuaItems = unsigned;
constexpr TShVirtuaItems ShItem(TShVirtuaItem kind) { return 1u << kind; }
constexpr bool Contains(TShVirtuaItems set, TShVirtuaItem kind) { return (set & ShItem(kind)) != 0; }
constexpr TShVirtuaItems kDefaultVirtuaItems = ShItem(itBitBucket) | ShItem(itNetWork);
