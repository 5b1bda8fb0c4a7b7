#pragma once

#include <QList>

class QRandomGenerator;

namespace vintrel {

class TDM;
class CurrentContext;
class Prompter;

// The commands of the main window's context menu that prepare or reset the classification,
// the start numbers and the results of the current aspect's participants (T_PART). Each runs
// as one command: all its writes land, or none (a refusal undoes them and is passed on to the
// front end's runCommand()).
// The participants grid is detached from DS_PART while they write and shows the result after.
// Without a current aspect they say so and change nothing. They return true when the command
// ran to its end (an aspect without participants included), false after a "No" or a message.

// "Случайно заполнить классификацию": the aspect's participants get the classifications
// 1 … n in a random order, every order equally likely. No confirmation.
bool drawClassification(TDM &dm, CurrentContext &context, Prompter &prompter);
bool drawClassification(TDM &dm, CurrentContext &context, Prompter &prompter,
                        QRandomGenerator &random);

// "Случайно заполнить классификацию с учетом имеющейся кл-ции": the u participants without a
// classification get c + 1 … c + u in a random order, where c is the number of those that have
// one (0 counts as having one). No confirmation.
bool drawMissingClassification(TDM &dm, CurrentContext &context, Prompter &prompter);
bool drawMissingClassification(TDM &dm, CurrentContext &context, Prompter &prompter,
                               QRandomGenerator &random);

// "Скопировать классификацию в стартовый номер" (after a confirmation).
bool copyClassificationToStart(TDM &dm, CurrentContext &context, Prompter &prompter);

// "Скопировать место в стартовый номер" (after a confirmation); an empty place gives an empty
// start number.
bool copyPlaceToStart(TDM &dm, CurrentContext &context, Prompter &prompter);

// "Обнулить результаты соревнований" (after a confirmation): bouts, victories, touches and
// places of the aspect's participants become 0 and the current tour is no longer held.
// Classification and start numbers stay; with no current tour row only the participants change.
bool zeroResults(TDM &dm, CurrentContext &context, Prompter &prompter);

// The draw behind the random commands: the positions 0 … count-1 in a random order, each of
// the count! orders equally likely (each step picks one of the positions not yet drawn).
QList<int> drawnOrder(int count, QRandomGenerator &random);

} // namespace vintrel
