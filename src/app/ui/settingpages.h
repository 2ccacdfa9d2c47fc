#pragma once

namespace zk {

class RecordItemsPage;
class TSetting;

// The settings dialog's pages that other parts own: the record items as its
// "ｸﾞﾗﾌ" tab. Returns the page, which the dialog owns.
RecordItemsPage *addRecordItemsPage(TSetting &dialog);
// The latest value of the record item 体重, which 計算... of the daily
// standard offers.
void offerLatestWeight(TSetting &dialog);

} // namespace zk
