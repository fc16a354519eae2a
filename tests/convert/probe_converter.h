// A converter that exposes the scanner and the draws to tests.
#pragma once

#include "convert/converter.h"
#include "convert/sjis_literal.h"

#include <string>
#include <vector>

namespace mireto::test {

struct ScanRecord {
    std::string segment;
    bool lineBreakEndsHere = false;
    bool fullStopEndsHere = false;
    bool commaEndsHere = false;
    std::string twoBytesBefore;
    Converter::Position position = 0;

    friend bool operator==(const ScanRecord&, const ScanRecord&) = default;
};

class ProbeConverter : public Converter {
public:
    explicit ProbeConverter(bool clauses = false) : m_clauses(clauses) {}

    std::vector<ScanRecord> steps;
    std::string finalSegment;

    using Converter::draw;
    using Converter::seedRandom;

protected:
    void generate() override {
        if (m_clauses)
            startScan(kClauseDelimiters);
        else
            startScan(kSentenceDelimiters);
        while (scanStep()) {
            steps.push_back({std::string(segment()), endsHere("\r\n"), endsHere("。"_sjis),
                             endsHere("、"_sjis), std::string(twoBytesBefore()), m_position});
            finishStep();
        }
        finalSegment = segment();
    }

private:
    bool m_clauses;
};

} // namespace mireto::test
