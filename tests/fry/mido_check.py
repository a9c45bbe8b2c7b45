"""Reads Ferrymo's MIDI files with mido, a reader we did not write.

    mido_check.py events FILE
        prints the file as JSON: its type, ticks per beat and, per track,
        every event with its absolute tick.
    mido_check.py check LIST
        LIST holds lines "PAYLOAD_JSON_FILE MIDI_FILE". For each pair the
        events the payload asks for are worked out here, independently of
        the suite, and compared with what mido reads from the MIDI file.
        Prints "ok N" when all N pairs match, else one line per mismatch.
"""
import json
import math
import sys

import mido


def read_events(path):
    midi = mido.MidiFile(path)
    tracks = []
    for track in midi.tracks:
        tick = 0
        events = []
        for message in track:
            tick += message.time
            entry = {"tick": tick, "type": message.type}
            if message.type == "track_name":
                # mido decodes meta text as Latin-1; the suite writes UTF-8.
                entry["name"] = message.name.encode("latin-1").decode("utf-8")
            elif message.type == "set_tempo":
                entry["tempo"] = message.tempo
            elif message.type == "time_signature":
                entry["numerator"] = message.numerator
                entry["denominator"] = message.denominator
                entry["clocks"] = message.clocks_per_click
                entry["32nds"] = message.notated_32nd_notes_per_beat
            elif message.type in ("note_on", "note_off"):
                entry.update(channel=message.channel, note=message.note, velocity=message.velocity)
            elif message.type == "control_change":
                entry.update(channel=message.channel, control=message.control, value=message.value)
            elif message.type == "pitchwheel":
                entry.update(channel=message.channel, pitch=message.pitch + 8192)
            events.append(entry)
        tracks.append(events)
    return {"type": midi.type, "ticks_per_beat": midi.ticks_per_beat, "tracks": tracks}


# ---------------------------------------------------------------------------
# What a payload asks for, worked out from the rules of the clip format.

MAX_TICK = 0x0FFFFFFF


def number(value):
    """An int from an int, a float or numeric text; None otherwise."""
    if isinstance(value, bool) or value is None:
        return None
    if isinstance(value, int):
        return value
    if isinstance(value, float):
        if math.isnan(value) or math.isinf(value):
            return None
        return int(math.floor(abs(value) + 0.5)) * (1 if value >= 0 else -1)
    if isinstance(value, str):
        try:
            return int(value.strip())
        except ValueError:
            try:
                return number(float(value.strip()))
            except ValueError:
                return None
    return None


def tick(midi_ticks):
    if not midi_ticks > 0:
        return 0
    if midi_ticks >= MAX_TICK:
        return MAX_TICK
    return int(math.floor(midi_ticks + 0.5))


def leading_int(text):
    text = text.lstrip()
    sign = 1
    if text[:1] in "+-" and text[:1] != "":
        sign = -1 if text[0] == "-" else 1
        text = text[1:]
    digits = ""
    for c in text:
        if not c.isdigit():
            break
        digits += c
    return sign * int(digits) if digits else None


def command_event(text, at):
    comma = text.find(",")
    if comma < 0:
        return None
    value = leading_int(text[comma + 1:])
    if value is None:
        return None
    c = text.find("C")
    if c >= 0:
        if c > comma:
            return None
        controller = number(text[c + 1:comma])
        if controller is None or not 0 <= controller <= 127:
            return None
        return (at, 1, "cc", controller, min(127, max(0, value)))
    if "B" in text:
        bend = min(value, 16383) if value > 127 else max(0, value) * 129
        return (at, 2, "bend", 0, bend)
    return None


def expected_tracks(payload):
    bars = {}
    start = 0.0
    meters = []
    for bar in payload["barList"]:
        if not isinstance(bar, dict):
            continue
        length = max(0, number(bar.get("length")) or 0)
        n = number(bar.get("barNumber"))
        if n is not None and n not in bars:
            bars[n] = start
        meter = str(bar.get("meter", ""))
        if "/" in meter:
            num, den = meter.split("/", 1)
            meters.append((start, number(num) or 0, number(den) or 0))
        start += length * 3.75

    conductor = [("tempo", 0, 500000)]
    last = None
    for at, num, den in meters:
        if num >= 1 and den >= 1 and (num, den) != last:
            conductor.append(("meter", tick(at), num, den, 24, 8))
            last = (num, den)

    conductor.append(("end", conductor[-1][1]))
    tracks = [conductor]
    for index, staff in enumerate(payload.get("staffList", [])):
        if not isinstance(staff, dict):
            continue
        header = staff.get("header") if isinstance(staff.get("header"), dict) else {}
        name = ""
        for key in ("fullInstrumentName", "shortInstrumentName"):
            value = header.get(key)
            if isinstance(value, str) and value.strip():
                name = value.strip()
                break
        if not name:
            name = "Track %d" % (index + 1)
        events = []
        for staff_bar in staff.get("staffBarList", []):
            if not isinstance(staff_bar, dict):
                continue
            n = number(staff_bar.get("barNumber"))
            if n not in bars:
                continue
            bar_start = bars[n]
            for pot in staff_bar.get("potList", []):
                if not isinstance(pot, dict):
                    continue
                position = number(pot.get("position")) or 0
                duration = max(0, number(pot.get("duration")) or 0)
                on = min(MAX_TICK - 1, tick(bar_start + position * 3.75))
                off = max(on + 1, tick(bar_start + (position + duration) * 3.75))
                for note in pot.get("noteList", []):
                    pitch = number(note.get("pitch")) if isinstance(note, dict) else None
                    if pitch is None or not 0 <= pitch <= 127:
                        continue
                    events.append((on, 3, "on", pitch, 100))
                    events.append((off, 0, "off", pitch, 0))
            for command in staff_bar.get("commandList", []):
                if not isinstance(command, dict) or not isinstance(command.get("text"), str):
                    continue
                position = number(command.get("position")) or 0
                event = command_event(command["text"], tick(bar_start + position * 3.75))
                if event:
                    events.append(event)
        events.sort(key=lambda e: (e[0], e[1]))  # stable: equal keys keep payload order
        track = [("name", 0, name)] + [(e[2], e[0], e[3], e[4]) for e in events]
        tracks.append(track + [("end", track[-1][1])])
    return tracks


def actual_tracks(path):
    tracks = []
    for events in read_events(path)["tracks"]:
        track = []
        for e in events:
            kind = e["type"]
            if kind == "set_tempo":
                track.append(("tempo", e["tick"], e["tempo"]))
            elif kind == "time_signature":
                track.append(("meter", e["tick"], e["numerator"], e["denominator"], e["clocks"], e["32nds"]))
            elif kind == "track_name":
                track.append(("name", e["tick"], e["name"]))
            elif kind in ("note_on", "note_off"):
                if e["channel"] != 0:
                    track.append(("wrong channel", e["tick"], e["channel"], 0))
                on = kind == "note_on" and e["velocity"] > 0
                track.append(("on" if on else "off", e["tick"], e["note"], e["velocity"]))
            elif kind == "control_change":
                track.append(("cc", e["tick"], e["control"], e["value"]))
            elif kind == "pitchwheel":
                track.append(("bend", e["tick"], 0, e["pitch"]))
            elif kind == "end_of_track":
                track.append(("end", e["tick"]))
            else:
                track.append((kind, e["tick"]))
        tracks.append(track)
    return tracks


def check(list_path):
    pairs = [line.split() for line in open(list_path) if line.strip()]
    problems = []
    for payload_path, midi_path in pairs:
        with open(payload_path, encoding="utf-8") as f:
            payload = json.load(f)
        expected = expected_tracks(payload)
        actual = actual_tracks(midi_path)
        if len(expected) != len(actual):
            problems.append("%s: %d tracks, expected %d" % (midi_path, len(actual), len(expected)))
            continue
        for number_, (want, got) in enumerate(zip(expected, actual)):
            if [tuple(w) for w in want] != [tuple(g) for g in got]:
                first = next((i for i, (w, g) in enumerate(zip(want, got)) if tuple(w) != tuple(g)), min(len(want), len(got)))
                problems.append("%s track %d event %d: expected %s, read %s (%d vs %d events)" % (
                    midi_path, number_, first, want[first:first + 3], got[first:first + 3], len(want), len(got)))
    for p in problems:
        print(p)
    if not problems:
        print("ok %d" % len(pairs))


if __name__ == "__main__":
    if len(sys.argv) == 3 and sys.argv[1] == "events":
        print(json.dumps(read_events(sys.argv[2])))
    elif len(sys.argv) == 3 and sys.argv[1] == "check":
        check(sys.argv[2])
    else:
        sys.exit(__doc__)
