#!/usr/bin/python3
"""Writes the demo score documents in data/scores/ (host-sim's own JSON format).

Run from the project folder: /usr/bin/python3 tools/host-sim/scores/make_demo_scores.py
The output is deterministic; the files are committed, this script records how they were made.
"""
import json
import pathlib
import random

OUT = pathlib.Path(__file__).resolve().parents[3] / "data" / "scores"
QUARTER = 256


def bar_objects(meters):
    return [{"number": i + 1, "externalNumber": i + 1, "length": 1024 * int(m.split("/")[0]) // int(m.split("/")[1]), "meter": m}
            for i, m in enumerate(meters)]


def page(first, count, systems):
    """A page whose bars are split evenly over its systems, earlier systems taking the extra bars."""
    split, bar = [], first
    for i in range(systems):
        bars = count // systems + (1 if i < count % systems else 0)
        split.append({"firstBar": bar, "barCount": bars})
        bar += bars
    return {"firstBar": first, "barCount": count, "systemCount": systems, "systems": split}


def write(name, score):
    lines = ["{"]
    top = []
    for key, value in score.items():
        if isinstance(value, list) and key in ("bars", "chordSymbols", "keySignatures", "tempoMarks", "tempoPoints",
                                                "hitPoints", "parts", "pages", "items"):
            inner = ",\n".join("    " + json.dumps(v, ensure_ascii=True) for v in value)
            top.append(f'  "{key}": [\n{inner}\n  ]' if value else f'  "{key}": []')
        elif key == "staves":
            staves = []
            for staff in value:
                head = {k: v for k, v in staff.items() if k != "bars"}
                body = ",\n".join("        " + json.dumps(b, ensure_ascii=True) for b in staff["bars"])
                text = json.dumps(head, ensure_ascii=True)[:-1] + ', "bars": [\n' + body + "\n    ]}"
                staves.append("    " + text)
            top.append('  "staves": [\n' + ",\n".join(staves) + "\n  ]")
        else:
            top.append(f'  "{key}": ' + json.dumps(value, ensure_ascii=True))
    lines.append(",\n".join(top))
    lines.append("}")
    (OUT / name).write_text("\n".join(lines) + "\n")


def lead_sheet():
    meters = ["4/4"] * 16
    # B-flat for eight bars, E-flat for four, back to B-flat: alterations and slash basses on the way.
    chords = ["Bbmaj7", "G7(b9)", "Cm7", "F7", "Bb/D", "G7(#5)", "Cm7/Bb", "F7sus4",
              "Ebmaj7", "Ab7(#11)", "Fm7", "Bb7(b9)", "Bbmaj7/F", "G7", "Cm7", "F7(b13)"]
    melody = [[(0, 384, 70), (384, 128, 72), (512, 512, 74)], [(0, 256, 74), (256, 256, 71), (512, 512, 67)],
              [(0, 768, 72), (768, 256, 70)], [(0, 256, 69), (256, 256, 70), (512, 256, 72), (768, 256, 69)],
              [(0, 512, 65), (512, 512, 69)], [(0, 256, 71), (256, 256, 74), (512, 512, 77)],
              [(0, 1024, 75)], [(0, 512, 74), (512, 512, 72)],
              [(0, 384, 70), (384, 128, 67), (512, 512, 70)], [(0, 512, 72), (512, 512, 70)],
              [(0, 256, 69), (256, 256, 65), (512, 512, 74)], [(0, 1024, 71)],
              [(0, 256, 72), (256, 256, 75), (512, 256, 79), (768, 256, 77)], [(0, 512, 75), (512, 512, 72)],
              [(0, 1024, 70)], [(0, 512, 72), (512, 512, 69)]]
    lead_bars = []
    for b, notes in enumerate(melody, start=1):
        groups = [{"position": p, "duration": d, "notes": [{"pitch": n}]} for p, d, n in notes]
        lead_bars.append({"bar": b, "noteGroups": groups})
    chord_symbols = []
    for b, c in enumerate(chords, start=1):
        for staff in (1, 2):
            chord_symbols.append({"staff": staff, "bar": b, "position": 0, "name": c})
    chord_symbols += [{"staff": s, "bar": 8, "position": 512, "name": "F7(b9)"} for s in (1, 2)]
    chord_symbols += [{"staff": s, "bar": 16, "position": 512, "name": "F7alt"} for s in (1, 2)]
    chord_symbols.sort(key=lambda c: (c["staff"], c["bar"], c["position"]))
    return {
        "format": "host-sim score", "version": 1,
        "title": "Blue Harbour.sib", "soundSet": "default", "tempoStart": 132,
        "bars": bar_objects(meters),
        "staves": [
            {"number": 1, "fullName": "Alto Saxophone", "shortName": "A. Sax.", "styleId": "instrument.wind.saxophone.alto",
             "mute": "notMuted", "solo": False, "bars": lead_bars},
            {"number": 2, "fullName": "Double Bass", "shortName": "D.B.", "styleId": "instrument.strings.double-bass",
             "mute": "notMuted", "solo": False, "bars": []},
        ],
        "chordSymbols": chord_symbols,
        "keySignatures": [{"bar": 1, "position": 0, "fifths": -2, "major": True},
                          {"bar": 9, "position": 0, "fifths": -3, "major": True},
                          {"bar": 13, "position": 0, "fifths": -2, "major": True}],
        "tempoMarks": [{"bar": 1, "position": 0, "bpm": 132, "label": "Medium Swing", "motion": "", "spanDuration": 0, "muted": False}],
        "tempoPoints": [],
        "hitPoints": [],
        "parts": [{"name": "Alto Saxophone", "staves": [1]}, {"name": "Double Bass", "staves": [2]}],
        "pages": [page(1, 8, 2), page(9, 8, 2)],
        "items": [{"id": 1, "kind": "text", "staff": 1, "bar": 9, "position": 0, "duration": 0, "text": "to E-flat"},
                  {"id": 2, "kind": "text", "staff": 1, "bar": 13, "position": 0, "duration": 0, "text": "back home"}],
        "selection": {"firstBar": 1, "lastBar": 4, "staves": [2]},
        "productStates": {},
        "pluginData": {},
    }


INSTRUMENTS = [
    ("Flute 1", "Fl. 1", "instrument.wind.flute", 72),
    ("Flute 2", "Fl. 2", "instrument.wind.flute", 69),
    ("Oboe", "Ob.", "instrument.wind.oboe", 67),
    ("Clarinet in Bb", "Cl.", "instrument.wind.clarinet.bflat", 62),
    ("Bassoon", "Bsn.", "instrument.wind.bassoon", 45),
    ("Horn in F 1", "Hn. 1", "instrument.brass.horn.f", 60),
    ("Horn in F 2", "Hn. 2", "instrument.brass.horn.f", 55),
    ("Trumpet in C", "Tpt.", "instrument.brass.trumpet.c", 67),
    ("Trombone", "Tbn.", "instrument.brass.trombone", 50),
    ("Tuba", "Tba.", "instrument.brass.tuba", 38),
    ("Timpani", "Timp.", "instrument.pitched-percussion.timpani", 45),
    ("Percussion", "Perc.", "instrument.unpitched-percussion.drum-set", 38),
    ("Harp", "Hp.", "instrument.strings.harp", 60),
    ("Synth Pad", "Syn.", "instrument.synth.pad", 60),
    ("Violin I", "Vln. I", "instrument.strings.violin", 74),
    ("Violin II", "Vln. II", "instrument.strings.violin", 69),
    ("Viola", "Vla.", "instrument.strings.viola", 62),
    ("Violoncello", "Vc.", "instrument.strings.cello", 50),
    ("Contrabass", "Cb.", "instrument.strings.double-bass", 38),
    ("Piano", "Pno.", "instrument.keyboard.piano", 60),
]

# A chord per bar (as semitone offsets from D), the harmony every staff follows.
PROGRESSION = [[0, 4, 7], [5, 9, 12], [7, 11, 14], [0, 4, 7], [9, 12, 16], [5, 9, 12], [7, 11, 14], [7, 11, 14],
               [0, 4, 7], [2, 5, 9], [7, 11, 14], [0, 4, 7],
               [3, 7, 10], [8, 12, 15], [10, 14, 17], [3, 7, 10], [5, 8, 12], [10, 14, 17], [0, 4, 7], [3, 7, 10],
               [8, 12, 15], [10, 14, 17], [3, 7, 10], [3, 7, 10]]


def nearest(target, offsets):
    best = None
    for octave in range(-3, 4):
        for o in offsets:
            p = 62 + o + 12 * octave
            if best is None or abs(p - target) < abs(best - target):
                best = p
    return best


def orchestral():
    rng = random.Random(7)
    meters = ["4/4"] * 8 + ["3/4"] * 4 + ["4/4"] * 12
    bars = bar_objects(meters)
    staves = []
    for index, (full, short, style, centre) in enumerate(INSTRUMENTS, start=1):
        staff_bars = []
        for bar in bars:
            b = bar["number"]
            length = bar["length"]
            chord = PROGRESSION[b - 1]
            groups, midi = [], []
            if full == "Synth Pad":
                # A pad played only through MIDI messages: phantom notes and pitch bends.
                if b % 2 == 1:
                    for o in chord:
                        p = nearest(centre + o, chord)
                        midi.append({"position": 0, "text": f"~N{p},{70 + b}"})
                        midi.append({"position": length - QUARTER, "text": f"~N{p},0"})
                    # A bass note held over the bar line into the next bar.
                    held = nearest(centre - 12, chord)
                    midi.append({"position": 0, "text": f"~N{held},{60 + b}"})
                elif b > 1:
                    held = nearest(centre - 12, PROGRESSION[b - 2])
                    midi.append({"position": QUARTER, "text": f"~N{held},0"})
                    midi.append({"position": 0, "text": "~B0,64"})
                    midi.append({"position": length // 2, "text": f"~-B0,{64 + (b % 5) * 8}"})
                    midi.append({"position": length - QUARTER, "text": "~B0,64"})
            elif full == "Percussion":
                for beat in range(0, length, QUARTER):
                    midi.append({"position": beat, "text": f"~N{42 if beat else 36},{100 if beat == 0 else 70}"})
                    midi.append({"position": beat + 64, "text": f"~N{42 if beat else 36},0"})
            elif full == "Timpani":
                if b % 4 == 1:
                    groups.append({"position": 0, "duration": QUARTER, "notes": [{"pitch": nearest(centre, chord)}]})
                    groups.append({"position": length - 64, "duration": 64, "notes": [{"pitch": nearest(centre - 5, chord)}]})
            elif index >= 15 and full != "Piano":
                # Strings: quarter-note movement with expression and dynamics.
                step = QUARTER
                for pos in range(0, length, step):
                    p = nearest(centre + rng.randint(-4, 4), chord)
                    note = {"pitch": p}
                    if pos == 0 and b % 3 == 0:
                        note["playedVelocity"] = 110
                    if pos == step and b % 4 == 2:
                        note["playedDuration"] = step // 2
                    groups.append({"position": pos, "duration": step, "notes": [note]})
                midi.append({"position": 0, "text": f"~C11,{60 + (b * 5) % 60}"})
                midi.append({"position": length // 2, "text": f"~-C11,{70 + (b * 7) % 50}"})
                if b % 4 == 1:
                    midi.append({"position": 0, "text": f"~C7,{90 + b % 20}"})
                if full == "Violin I" and b in (5, 17):
                    midi.append({"position": length - QUARTER, "text": "~-C1,100"})
                    midi.append({"position": length - 1, "text": "~C1,0"})
            elif full in ("Harp", "Piano"):
                for pos in range(0, length, QUARTER * 2 if full == "Piano" else QUARTER):
                    pitches = sorted({nearest(centre + o, chord) for o in chord})
                    groups.append({"position": pos, "duration": QUARTER * 2 if full == "Piano" else QUARTER,
                                   "notes": [{"pitch": p} for p in pitches]})
                if full == "Piano":
                    midi.append({"position": 0, "text": "~C64,127"})
                    midi.append({"position": length - 16, "text": "~C64,0"})
            else:
                # Winds and brass: longer notes, a triplet figure in the flute now and then.
                if full == "Flute 1" and b % 4 == 3:
                    for i in range(3):
                        groups.append({"position": i * 85, "duration": 85,
                                       "notes": [{"pitch": nearest(centre + 2 * i, chord), "tuplet": {"left": 3, "right": 2}}]})
                    groups.append({"position": QUARTER, "duration": length - QUARTER, "notes": [{"pitch": nearest(centre + 4, chord)}]})
                elif (b + index) % 3 != 0:
                    groups.append({"position": 0, "duration": length // 2, "notes": [{"pitch": nearest(centre, chord)}]})
                    groups.append({"position": length // 2, "duration": length // 2,
                                   "notes": [{"pitch": nearest(centre + rng.choice([-2, 2, 3]), chord)}]})
                if full == "Trombone" and b in (8, 20):
                    midi.append({"position": length // 2, "text": "~B0,64"})
                    midi.append({"position": length - QUARTER, "text": "~-B0,40"})
                    midi.append({"position": length - 1, "text": "~B0,64"})
                if b % 4 == 1:
                    midi.append({"position": 0, "text": f"~C1,{40 + b * 2}"})
            if groups or midi:
                staff_bars.append({"bar": b, **({"noteGroups": groups} if groups else {}), **({"midi": midi} if midi else {})})
        staves.append({"number": index, "fullName": full, "shortName": short, "styleId": style,
                       "mute": "notMuted", "solo": False, "bars": staff_bars})
    staves[11]["mute"] = "halfMuted"
    return {
        "format": "host-sim score", "version": 1,
        "title": "Harbour Lights - Orchestral Excerpt.sib", "soundSet": "default", "tempoStart": 112,
        "bars": bars,
        "staves": staves,
        "chordSymbols": [],
        "keySignatures": [{"bar": 1, "position": 0, "fifths": 2, "major": True},
                          {"bar": 13, "position": 0, "fifths": -3, "major": True}],
        "tempoMarks": [
            {"bar": 1, "position": 0, "bpm": 112, "label": "Allegro moderato", "motion": "", "spanDuration": 0, "muted": False},
            {"bar": 11, "position": 0, "bpm": 92, "label": "rit.", "motion": "S", "spanDuration": 1536, "muted": False},
            {"bar": 13, "position": 0, "bpm": 108, "label": "a tempo", "motion": "", "spanDuration": 0, "muted": False},
        ],
        "tempoPoints": [
            {"bar": 20, "position": 0, "bpm": 108, "shape": "jump"},
            {"bar": 23, "position": 0, "bpm": 84, "shape": "ramp"},
        ],
        "hitPoints": [
            {"id": 1, "bar": 9, "position": 0, "timeMillis": 17140, "label": "Ship appears"},
            {"id": 2, "bar": 21, "position": 512, "timeMillis": 43900, "label": "Horn blast"},
        ],
        "parts": [{"name": full, "staves": [i]} for i, (full, *_rest) in enumerate(INSTRUMENTS, start=1)
                  if full not in ("Synth Pad",)] + [{"name": "Strings (score)", "staves": [15, 16, 17, 18, 19]}],
        "pages": [page(1, 6, 1), page(7, 6, 1), page(13, 6, 1), page(19, 6, 1)],
        "items": [],
        "selection": {"firstBar": 5, "lastBar": 8, "staves": [15, 16, 17, 18, 19]},
        "productStates": {},
        "pluginData": {},
    }


if __name__ == "__main__":
    OUT.mkdir(parents=True, exist_ok=True)
    write("lead-sheet.json", lead_sheet())
    write("orchestral.json", orchestral())
