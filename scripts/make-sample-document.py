#!/usr/bin/env python3
"""Writes a small Vantrel! document around a given day, for looking at the
program: persons in the White and Yellow Pages (companies that differ only in
case), tasks of every priority that are overdue, due, done and coming, and a
day of appointments with alarms, on that day and the days either side.

    make-sample-document.py OUT.pgr [YYYY-MM-DD]     (default: today)

Times are written for the machine's local time zone, as the program reads
them."""
import datetime
import sys
import time
from xml.sax.saxutils import quoteattr


def stamp(day, hour=0, minute=0):
    moment = datetime.datetime(day.year, day.month, day.day, hour, minute)
    return int(time.mktime(moment.timetuple()))


def attrs(pairs):
    return " ".join("%s=%s" % (name, quoteattr(str(value))) for name, value in pairs)


def main():
    out = sys.argv[1]
    day = (datetime.date.fromisoformat(sys.argv[2]) if len(sys.argv) > 2
           else datetime.date.today())
    shift = lambda days: day + datetime.timedelta(days=days)

    tasks = [
        ("Send the quarterly report", 0, shift(0), None),
        ("Book the train to Leeds", 1, shift(0), None),
        ("Water the office plants", 2, shift(0), None),
        ("Renew the insurance", 0, shift(-3), None),      # overdue, carried forward
        ("Return library books", 2, shift(-1), None),     # overdue, carried forward
        ("Order printer paper", 1, shift(0), shift(0)),   # done today
        ("Pay the gas bill", 1, shift(-2), shift(-2)),    # done on a past day
        ("Plan the team lunch", 0, shift(3), None),       # coming
        ("Prepare the slides", 1, shift(3), shift(0)),    # coming, already done
    ]
    persons = [
        ("Anna", "Zimmer", "ACME", 1, 1, "555-0101", "555-0102", "12", "anna@example.com",
         "www.example.com"),
        ("bob", "baker", "Acme", 1, 1, "555-0111", "", "", "", ""),
        ("Cleo", "Adams", "acme", 1, 1, "", "555-0122", "7", "cleo@example.org", ""),
        ("Dev", "Patel", "Globex", 1, 0, "555-0131", "555-0132", "", "dev@example.net",
         "globex.example.net"),
        ("Eve", "O'Neil", "", 1, 0, "555-0141", "", "", "", ""),
        ("", "", "Pizza Palace", 0, 1, "", "555-0150", "", "", "pizza.example.com"),
    ]
    appointments = [
        ("Stand-up meeting", 0, 9, 0, 9, 15, True),
        ("Dentist", 0, 10, 10, 10, 50, True),
        ("Lunch with Dev", 0, 12, 30, 13, 30, False),
        ("Call the bank", 0, 15, 0, 15, 5, False),
        ("Budget review", 0, 16, 0, 17, 45, True),
        ("Early gym session", 0, 4, 50, 5, 30, False),
        ("Yesterday's workshop", -1, 13, 0, 16, 0, True),
        ("Project kick-off", 3, 11, 0, 12, 0, True),
    ]

    lines = ['<?xml version="1.0"?>', '<Pim Version="1">']
    lines.append('\t<Tasks LastID="%d">' % len(tasks))
    for number, (text, priority, due, done) in enumerate(tasks, 1):
        lines.append("\t\t<Task %s />" % attrs([
            ("ID", number), ("Description", text), ("Priority", 3 if done else priority),
            ("DueDate", stamp(due)), ("DoneDate", stamp(done) if done else 0)]))
    lines.append("\t</Tasks>")
    lines.append('\t<Persons LastID="%d">' % len(persons))
    for number, (first, last, company, white, yellow, home, work, ext, mail, web) in \
            enumerate(persons, 1):
        rname = ", ".join(part for part in (last, first) if part)
        lines.append("\t\t<Person %s />" % attrs([
            ("ID", number), ("FName", first), ("LName", last), ("RName", rname),
            ("Company", company), ("Position", ""), ("Addr1", "1 High Street"), ("Addr2", ""),
            ("City", "Springfield"), ("State", "IL"), ("Zip", "62701"),
            ("YellowPages", yellow), ("WhitePages", white), ("Notes", ""),
            ("HmPhone", home), ("WkPhone", work), ("WkExt", ext), ("Fax", ""),
            ("CelPhone", ""), ("Pager", ""), ("EMail", mail), ("WebPage", web)]))
    lines.append("\t</Persons>")
    lines.append('\t<Appointments LastID="%d">' % len(appointments))
    for number, (text, offset, h1, m1, h2, m2, alarm) in enumerate(appointments, 1):
        on = shift(offset)
        start = stamp(on, h1, m1)
        lines.append("\t\t<Appointment %s />" % attrs([
            ("ID", number), ("Description", text), ("DueDate", stamp(on)),
            ("StartTime", start), ("EndTime", stamp(on, h2, m2)), ("Alarm", int(alarm)),
            ("AlarmTime", start - 600 if alarm else 0), ("Done", 0)]))
    lines.append("\t</Appointments>")
    lines.append('\t<User  %s />' % attrs([
        ("FName", "Sam"), ("LName", "Owner"), ("Company", ""), ("Position", ""),
        ("Addr1", ""), ("Addr2", ""), ("City", ""), ("State", ""), ("Zip", "")]))
    lines.append("</Pim>")
    with open(out, "w", encoding="latin-1", newline="\n") as f:
        f.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
