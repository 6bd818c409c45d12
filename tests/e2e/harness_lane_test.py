"""Wine lanes: two Wine tests that ctest runs at once must never share a prefix, since a
session's end stops its prefix's wineserver and with it every program of the other test.
Runs without Wine: it reads only the variables ctest sets."""

import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from wine_prefix import lane_prefix  # noqa: E402


def lane(group, lane_id, count=None):
    """ctest's variables for a test given lane `lane_id` as its resource group `group`."""
    return {"CTEST_RESOURCE_GROUP_COUNT": str(count or group + 1),
            f"CTEST_RESOURCE_GROUP_{group}": "wine_lane",
            f"CTEST_RESOURCE_GROUP_{group}_WINE_LANE": f"id:{lane_id},slots:1"}


class LanePrefix(unittest.TestCase):
    def test_each_lane_has_its_own_prefix_and_a_run_by_hand_uses_lane_0s(self):
        cases = [  # (variables, expected prefix)
            ({}, "/b/wineprefix"),
            (lane(0, 0), "/b/wineprefix"),
            (lane(0, 1), "/b/wineprefix-1"),
            ({**lane(1, 1), "CTEST_RESOURCE_GROUP_0": "other"}, "/b/wineprefix-1"),
            ({"CTEST_RESOURCE_GROUP_COUNT": "1", "CTEST_RESOURCE_GROUP_0": "other"},
             "/b/wineprefix"),
        ]
        for variables, expected in cases:
            with self.subTest(variables=variables):
                self.assertEqual(lane_prefix("/b/wineprefix", variables), expected)


if __name__ == "__main__":
    unittest.main(verbosity=2)
