// The three kinds of record an import reads: each takes one record's field
// texts, decides whether the record is added and adds it, or says why not.
// Not part of the interface the wizard uses.
#pragma once

#include <memory>
#include <string>

#include "ExchangeFields.h"
#include "ExchangeLocale.h"
#include "FieldScanner.h"

class PimDocument;

class KindReader {
public:
    virtual ~KindReader() = default;

    virtual void BeginRecord() = 0;
    // One field's text, which the reader may take, leaving `text` with any
    // other value. An `enclosed` text is kept as written; any other is
    // trimmed of white space at both ends.
    virtual void Apply(ExchangeFields::Field field, std::string& text, bool enclosed) = 0;
    // A column the record did not reach: an empty text.
    virtual void Missing(ExchangeFields::Field field) {
        empty_.clear();
        Apply(field, empty_, false);
    }
    // Adds the record when it is accepted and returns whether it was. `note`
    // says why a record was not added, or what was not added as written
    // ("" when nothing).
    virtual bool FinishRecord(std::string& note) = 0;
    // The record will not be finished (it is read again, or not at all).
    virtual void DropRecord() {}
    // Whether the document can still give a record of this kind an ID; once
    // it cannot, no further record can be added.
    virtual bool HasIDLeft() const = 0;

private:
    std::string empty_;
};

std::unique_ptr<KindReader> MakeKindReader(ExchangeKind kind, PimDocument& document,
                                           const FieldScanner& scanner, const ExchangeLocale& locale);
