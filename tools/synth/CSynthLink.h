#pragma once

#include "CSynthTrace.h"

#include <vector>

namespace bc {
class CBellcore;
}

// A fibre link whose sections scatter back differently (fibres of slightly
// different mode field diameters), measured from both ends. At a joint the
// trace steps by the joint's loss plus half the difference of the two
// sections' backscatter coefficients, so one direction sees too much loss and
// the other too little, often a gain; the mean of the two directions is the
// joint's own loss. Each direction's file stores the events its trace shows.
class CSynthLink
{
public:
    enum tDirection { AToB, BToA };

    // A joint of two sections, as it truly is.
    struct tJoint
    {
        // Metres from end A.
        double distance = 0;
        // dB.
        double loss = 0;
        // dB; 0 for a splice, otherwise a connector.
        double reflectance = 0;
    };

    // `options.events` counts the listed events of one direction, the end
    // included (at least two); the seed fixes the link and both traces.
    explicit CSynthLink(const CSynthTrace::tOptions& options);

    // The joints from end A, in order.
    const std::vector<tJoint>& Joints() const { return m_joints; }
    // dB relative to the nominal backscatter, one per section from end A.
    const std::vector<double>& SectionBackscatter() const { return m_sections; }
    // Metres from end to end.
    double Length() const { return m_options.lengthKm * 1000.0; }

    // The loss one direction sees at joint `index`, dB.
    double OneWayLoss(int index, tDirection direction) const;

    // Fills an empty container with the trace measured from one end: the
    // locations are swapped for B→A; cable, fibre and the rest are the same.
    void Build(bc::CBellcore& file, tDirection direction) const;
    // Builds and writes one direction; the stream's exceptions pass through.
    void Write(const QString& path, tDirection direction) const;

private:
    CSynthTrace::tOptions m_options;
    std::vector<tJoint> m_joints;
    std::vector<double> m_sections;
    // dB: the far ends' reflectances, A's connector then B's.
    double m_endReflectance[2] = { -20, -20 };
};
