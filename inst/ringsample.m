%RINGSAMPLE  Resample a contour to one point per whole degree of direction.
%   T = RINGSAMPLE(P, N) takes a contour of N points and, for every whole
%   degree j = 0..359, picks the contour point whose direction seen from the
%   origin (0, 0) lies nearest to j degrees, measured from the +x axis toward
%   the +y axis. Contours of any length so become comparable row by row.
%
%   Inputs
%     P   contour points, an N-by-2 real double array [x y]: x of point i in
%         P(i,1), y in P(i,2). Only the first 2*N values of P are read, so an
%         array with more rows than N is read as if it had N rows (the y
%         column starts at element N+1 of P's storage).
%     N   number of points, a real number; it is truncated toward zero
%         (4.9 counts as 4) and must be at least 1 and at most numel(P)/2.
%
%   Output
%     T   360-by-2 double: T(j+1,:) is the [x y] of the point chosen for
%         degree j, copied from P (not a unit vector).
%
%   Details
%     Direction j is the angle 3.14159265*(2*(j/360)) radians; the constant
%     is slightly below pi, so every direction lies slightly below its whole
%     degree, and a point exactly between two degrees goes to the lower one.
%     Distances are those between unit vectors; on a tie the earlier point
%     wins. A point at the origin has no direction and is never chosen, except
%     that when it is the first point every row holds it.
%
%   Errors (identifier: cause)
%     "func: ringsample() requires 2 input arguments."   wrong input count
%     "func: ringsample() requires 1 output arguments."  output count not 1
%                                                        (call it with an output)
%     planestat:ringsample:notRealDouble  P is not a real, full double array
%     planestat:ringsample:notRealScalar  N is not one real number
%     planestat:ringsample:badCount       N is below 1 (or NaN)
%     planestat:ringsample:tooFewValues   P holds fewer than N points
%
%   Example
%     T = ringsample([1 0; 0 1; -1 0; 0 -1], 4);
%     T(47,:)   % degree 46 -> [0 1]
%
%   See also DRIFTGAUGE, RIMVANE.

% Help text only: the function itself is the compiled MEX file of the same name.

%!shared square
%! square = [1 0; 0 1; -1 0; 0 -1];

%!test
%! T = ringsample (square, 4);
%! assert (size (T), [360 2]);
%! assert (T(1:46,:), repmat ([1 0], 46, 1));
%! assert (T(47:136,:), repmat ([0 1], 90, 1));
%! assert (T(137:226,:), repmat ([-1 0], 90, 1));
%! assert (T(227:316,:), repmat ([0 -1], 90, 1));
%! assert (T(317:360,:), repmat ([1 0], 44, 1));

%!test  # the points' own coordinates are copied; the count is truncated
%! T = ringsample ([2 0; 0 5; -1 0; 0 -3], 4.9);
%! assert (T(47,:), [0 5]);
%! assert (T(316,:), [0 -3]);

%!test  # ties keep the earlier point; the origin is never chosen after point 1
%! assert (ringsample ([1 -1; 1 1], 2)(1,:), [1 -1]);
%! assert (ringsample ([1 1; 1 -1], 2)(1,:), [1 1]);
%! T = ringsample ([1 0; 0 0; 0 1], 3);
%! assert (all (any (T ~= 0, 2)));
%! assert (ringsample ([0 0; 1 0; 0 1], 3), zeros (360, 2));

%!test  # an array with more rows than N: only the first 2N values are points
%! P = [1 0 -1 0 50 60; 0 1 0 -1 70 80]';
%! assert (ringsample (P, 4), ringsample ([1 50; 0 60; -1 0; 0 1], 4));

%!error <func: ringsample\(\) requires 2 input arguments\.> ringsample (1)
%!error <func: ringsample\(\) requires 2 input arguments\.> x = ringsample (1, 2, 3);
%!error <func: ringsample\(\) requires 1 output arguments\.> ringsample ([1 0], 1)
%!error <func: ringsample\(\) requires 1 output arguments\.> [a, b] = ringsample ([1 0], 1);
%!error id=planestat:ringsample:notRealDouble x = ringsample (single ([1 0]), 1);
%!error id=planestat:ringsample:notRealDouble x = ringsample (sparse ([1 0]), 1);
%!error id=planestat:ringsample:notRealDouble x = ringsample ([1i 0], 1);
%!error id=planestat:ringsample:notRealScalar x = ringsample ([1 0], [1 1]);
%!error id=planestat:ringsample:badCount x = ringsample ([1 0], 0);
%!error id=planestat:ringsample:badCount x = ringsample ([1 0], NaN);
%!error id=planestat:ringsample:tooFewValues x = ringsample ([1 0; 0 1], 3);
