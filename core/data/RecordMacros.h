#pragma once
// Declares a typed record struct from one field list, so that the struct, the
// file's field table and the conversions to and from the generic Record can
// never disagree.
//
//   #define QV_DIVISION_FIELDS(F) F(DivisionId, Long, 4, 0) F(DivisionName, Text, 100, 0) ...
//   QV_RECORD(Division, QV_DIVISION_FIELDS)

#include <cstdint>
#include <string>
#include <vector>

#include "core/data/Date.h"
#include "core/data/Decimal.h"
#include "core/data/Definitions.h"
#include "core/data/Record.h"

namespace qv::data::detail {

template <FieldKind K> struct CppType;
template <> struct CppType<FieldKind::Long> { using type = int32_t; };
template <> struct CppType<FieldKind::Short> { using type = int16_t; };
template <> struct CppType<FieldKind::Byte> { using type = uint8_t; };
template <> struct CppType<FieldKind::Text> { using type = std::string; };
template <> struct CppType<FieldKind::Decimal> { using type = qv::Decimal; };
template <> struct CppType<FieldKind::Date> { using type = qv::Date; };

template <typename T>
inline void put(FieldValue& v, const T& x, int) { v.num = static_cast<int64_t>(x); }
inline void put(FieldValue& v, const std::string& x, int) { v.text = x; }
inline void put(FieldValue& v, const qv::Decimal& x, int places) { v.num = x.unitsAt(places); }
inline void put(FieldValue& v, const qv::Date& x, int) { v.num = x.dayNumber(); }

template <typename T>
inline void get(const FieldValue& v, T& x, int) { x = static_cast<T>(v.num); }
inline void get(const FieldValue& v, std::string& x, int) { x = v.text; }
inline void get(const FieldValue& v, qv::Decimal& x, int places) {
    x = qv::Decimal::fromUnits(v.num, places);
}
inline void get(const FieldValue& v, qv::Date& x, int) { x = qv::Date(static_cast<int32_t>(v.num)); }

}  // namespace qv::data::detail

#define QV_FIELD_MEMBER(name, kind, width, places) \
    typename ::qv::data::detail::CppType<::qv::data::FieldKind::kind>::type name{};
#define QV_FIELD_DEF(name, kind, width, places) {#name, ::qv::data::FieldKind::kind, width, places},
#define QV_FIELD_PUT(name, kind, width, places) ::qv::data::detail::put(r[i++], name, places);
#define QV_FIELD_GET(name, kind, width, places) ::qv::data::detail::get(r[i++], name, places);

#define QV_RECORD(Type, FIELDS)                                                  \
    struct Type {                                                                \
        FIELDS(QV_FIELD_MEMBER)                                                  \
        ::qv::data::RecordStamp stamp;                                           \
        static constexpr const char* kLabel = #Type;                             \
        static std::vector<::qv::data::FieldDef> fieldDefs() {                   \
            return {FIELDS(QV_FIELD_DEF)};                                       \
        }                                                                        \
        void toRecord(::qv::data::Record& r) const {                             \
            size_t i = 0;                                                        \
            FIELDS(QV_FIELD_PUT)                                                 \
            r.stamp = stamp;                                                     \
        }                                                                        \
        void fromRecord(const ::qv::data::Record& r) {                           \
            size_t i = 0;                                                        \
            FIELDS(QV_FIELD_GET)                                                 \
            stamp = r.stamp;                                                     \
        }                                                                        \
    };
