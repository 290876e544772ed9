// What the menu units share and nobody else needs: the live views, told when items change or go.
#pragma once

#include <cstdint>
#include <string>

class TVxItem;
class TVxItemView;

void RegisterItemView(TVxItemView* View);
void UnregisterItemView(TVxItemView* View);
void NotifyViewsChanged(TVxItem* Item);
void NotifyViewsGone(TVxItem* Item);

// Counts every change of any item tree; code that runs handlers compares it before and after.
uint64_t MenuGeneration();
void BumpMenuGeneration();

// The caption as drawn: "&&" becomes "&", a single "&" goes.
std::wstring StripAccelerator(const std::wstring& Caption);
std::wstring ShortCutText(uint16_t ShortCut);
