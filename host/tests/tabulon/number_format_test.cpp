// The number formats of the host's Tabulon table cells.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "host/tabulon/number_format.h"

namespace PendrelHost {
namespace {

VARIANT Real(double value) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_R8;
  v.dblVal = value;
  return v;
}

VARIANT Integer(LONG value) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_I4;
  v.lVal = value;
  return v;
}

TEST(TabulonNumberFormat, FormatsAsTheMeasurementsName) {
  struct Case {
    VARIANT value;
    std::u16string format;
    std::string shown;
  };
  const Case cases[] = {
      {Real(812.5), u"0.0###", "812.5"},
      {Real(812.0), u"0.0###", "812.0"},
      {Real(0.123456), u"0.0###", "0.1235"},
      {Real(1234567.0), u"0.0###", "1234567.0"},
      {Integer(72), u"General", "72"},
      {Real(12.25), u"General", "12.25"},
      {Real(1.0 / 3.0), u"General", "0.3333333333"},
      {Real(0.0), u"HH:mm:ss.00", "00:00:00.00"},
      {Real(3725.456), u"HH:mm:ss.00", "01:02:05.46"},
      {Real(59.999), u"HH:mm:ss.00", "00:01:00.00"},
      {Real(90000.0), u"HH:mm:ss.00", "25:00:00.00"},
      {Real(std::numeric_limits<double>::quiet_NaN()), u"0.0###", "NaN"},
      {Integer(5), u"something else", "5"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FormatTabulonValue(c.value, c.format), c.shown) << c.shown;
  }
}

TEST(TabulonNumberFormat, AnEmptyValueShowsNothing) {
  VARIANT empty;
  VariantInit(&empty);
  EXPECT_EQ(FormatTabulonValue(empty, u"0.0###"), "");
  EXPECT_EQ(FormatTabulonValue(empty, u"HH:mm:ss.00"), "");
}

}  // namespace
}  // namespace PendrelHost
