#pragma once

#include <QString>

namespace vintrel {

class Table;

// The fields a register row takes from a person when it is made; they are copies, so a later
// change of the person does not reach them.

// Fills the T_PART row being inserted from the current row of T_PERSON: the person's number,
// organization and names, the organization's short name, and both trainers (number 1 and no
// names for a person without that trainer). The aspect and the results are left alone.
void copyPersonIntoParticipant(const Table &person, Table &part, const QString &orgShort);

// Fills a T_JUDGE (or T_OBSL-like) row being inserted: number, organization, the three names and
// the organization's short name.
void copyPersonIntoRegisterRow(const Table &person, Table &row, const QString &orgShort);

} // namespace vintrel
